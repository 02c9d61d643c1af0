// A serial line with settings of its own on POSIX (termios). Reads and writes wait with poll, so
// the Windows time-outs hold to the millisecond; termios counts tenths of a second, and carries
// only a rounded copy of the read time-outs for programs that read the device blocking.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/posix/posix_ports.h"
#include "platform/serial_timing.h"

namespace quelfi::platform::posix {
namespace {

constexpr std::uint32_t kTenth = 100;
// The longest a read lets a long answer gather between its looks at the line.
constexpr std::uint64_t kGatherMaxUs = 5000;

struct BaudCode {
    std::uint32_t baud;
    speed_t code;
};

constexpr BaudCode kBauds[] = {
    {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
};

bool speedCode(std::uint32_t baud, speed_t& code) {
    for (const BaudCode& b : kBauds) {
        if (b.baud == baud) {
            code = b.code;
            return true;
        }
    }
    return false;
}

cc_t tenthsOf(std::uint32_t ms) {
    const std::uint32_t tenths = ms / kTenth + (ms % kTenth != 0 ? 1 : 0);
    return static_cast<cc_t>(tenths > 255 ? 255 : tenths);
}

// The nearest blocking-read rule termios can hold for a set of read time-outs.
void mirrorTimeouts(const SerialTimeouts& t, termios& tio) {
    const bool firstByteOnly = t.readInterval == kMaxTimeout;
    if (firstByteOnly || t.readInterval == 0) {
        const bool immediate = firstByteOnly && t.readMultiplier == 0 && t.readConstant == 0;
        const bool noLimit = !firstByteOnly && t.readMultiplier == 0 && t.readConstant == 0;
        tio.c_cc[VMIN] = noLimit ? 1 : 0;
        tio.c_cc[VTIME] = immediate || noLimit ? 0 : tenthsOf(t.readConstant);
    } else {
        tio.c_cc[VMIN] = 1;
        tio.c_cc[VTIME] = tenthsOf(t.readInterval);
    }
}

// What a blocking read of the device does under VMIN and VTIME, as Windows time-outs.
SerialTimeouts timeoutsOf(cc_t vmin, cc_t vtime) {
    SerialTimeouts t;
    if (vmin == 0) {
        t.readInterval = kMaxTimeout;
        if (vtime != 0) {
            t.readMultiplier = kMaxTimeout;
            t.readConstant = vtime * kTenth;
        }
    } else {
        t.readInterval = vtime * kTenth;
    }
    return t;
}

void setFlag(tcflag_t& flags, tcflag_t flag, bool on) {
    if (on)
        flags |= flag;
    else
        flags &= ~flag;
}

bool applySettings(int fd, const LineSettings& s, termios& original) {
    if (::tcgetattr(fd, &original) != 0) return false;
    speed_t speed;
    if (!speedCode(s.baud, speed) || s.dataBits < 5 || s.dataBits > 8) {
        errno = EINVAL;
        return false;
    }
    termios tio = original;
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= kSizes[s.dataBits - 5] | CLOCAL | CREAD;
    if (s.parity != Parity::None) tio.c_cflag |= PARENB;
    if (s.parity == Parity::Odd || s.parity == Parity::Mark) tio.c_cflag |= PARODD;
    if (s.parity == Parity::Mark || s.parity == Parity::Space) tio.c_cflag |= CMSPAR;
    if (s.stopBits != StopBits::One) tio.c_cflag |= CSTOPB;
    // CTS and RTS go together here; DSR flow, DSR sensitivity and going on after XOFF have no
    // termios counterpart.
    if (s.ctsFlow) tio.c_cflag |= CRTSCTS;
    // cfmakeraw turns XON/XOFF on output off: an item the opening leaves keeps the port's value.
    setFlag(tio.c_iflag, IXON, s.xonXoffOutput.value_or((original.c_iflag & IXON) != 0));
    setFlag(tio.c_iflag, IXOFF, s.xonXoffInput.value_or((original.c_iflag & IXOFF) != 0));
    setFlag(tio.c_iflag, INPCK, s.parityCheck.value_or((original.c_iflag & INPCK) != 0));
    if (s.xonChar) tio.c_cc[VSTART] = static_cast<cc_t>(*s.xonChar);
    if (s.xoffChar) tio.c_cc[VSTOP] = static_cast<cc_t>(*s.xoffChar);
    mirrorTimeouts(s.timeouts, tio);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) return false;
    // A device without modem lines (a pseudo-terminal) refuses these; the line works all the same.
    const int dtr = TIOCM_DTR;
    const int rts = TIOCM_RTS;
    ::ioctl(fd, s.dtr ? TIOCMBIS : TIOCMBIC, &dtr);
    ::ioctl(fd, s.rts ? TIOCMBIS : TIOCMBIC, &rts);
    return true;
}

// Line time of one byte in microseconds: start bit, data bits, parity, stop bits.
std::uint64_t byteMicros(const LineSettings& s) {
    const std::uint64_t bits = 1 + static_cast<std::uint64_t>(s.dataBits) +
                               (s.parity == Parity::None ? 0 : 1) +
                               (s.stopBits == StopBits::One ? 1 : 2);
    return s.baud == 0 ? 0 : (bits * 1000000 + s.baud - 1) / s.baud;
}

class PosixSerialLine final : public SerialLine {
  public:
    PosixSerialLine(int fd, const LineSettings& settings, const termios& original)
        : fd_(fd),
          timeouts_(settings.timeouts),
          byteUs_(byteMicros(settings)),
          vmin_(original.c_cc[VMIN]),
          vtime_(original.c_cc[VTIME]) {}
    ~PosixSerialLine() override { close(); }

    long write(const std::uint8_t* data, std::size_t size) override {
        if (fd_ < 0) return -1;
        const std::optional<std::uint32_t> limit = writeLimit(timeouts_, size);
        const std::uint32_t start = monotonicMs();
        std::size_t done = 0;
        while (done < size) {
            int wait = -1;
            if (limit) {
                const std::uint32_t passed = monotonicMs() - start;
                if (passed >= *limit) break;
                wait = static_cast<int>(*limit - passed);
            }
            pollfd p{fd_, POLLOUT, 0};
            const int r = ::poll(&p, 1, wait);
            if (r < 0 && errno == EINTR) continue;
            if (r < 0) return done ? static_cast<long>(done) : -1;
            if (r == 0) break;
            const ssize_t n = ::write(fd_, data + done, size - done);
            if (n < 0) {
                if (errno == EAGAIN || errno == EINTR) continue;
                return done ? static_cast<long>(done) : -1;
            }
            done += static_cast<std::size_t>(n);
        }
        return static_cast<long>(done);
    }

    long read(std::uint8_t* data, std::size_t count) override {
        if (fd_ < 0) return -1;
        const std::uint32_t start = monotonicMs();
        const ReadDeadline deadline(timeouts_, count, start);
        std::size_t got = 0;
        std::uint32_t lastByteAt = start;
        while (got < count) {
            const ssize_t n = ::read(fd_, data + got, count - got);
            if (n > 0) {
                got += static_cast<std::size_t>(n);
                lastByteAt = monotonicMs();
                gather(count - got);
                continue;
            }
            const bool hungUp = n == 0 || errno == EIO;
            if (!hungUp && errno != EAGAIN && errno != EINTR)
                return got ? static_cast<long>(got) : -1;
            const std::optional<std::uint32_t> wait =
                deadline.waitLeft(got, lastByteAt, monotonicMs());
            if (wait && *wait == 0) break;
            const int ms = wait ? static_cast<int>(*wait) : -1;
            if (hungUp) {
                // A hung-up pseudo-terminal reads as its end at once: the time-out runs out
                // all the same, without spinning.
                ::usleep(static_cast<useconds_t>(ms < 0 ? 100 : ms) * 1000);
                continue;
            }
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, ms) < 0 && errno != EINTR) return got ? static_cast<long>(got) : -1;
        }
        return static_cast<long>(got);
    }

    bool purge() override { return fd_ >= 0 && ::tcflush(fd_, TCIOFLUSH) == 0; }

    bool setTimeouts(const SerialTimeouts& timeouts) override {
        if (fd_ < 0) return false;
        timeouts_ = timeouts;
        termios tio{};
        if (::tcgetattr(fd_, &tio) != 0) return false;
        mirrorTimeouts(timeouts, tio);
        return ::tcsetattr(fd_, TCSANOW, &tio) == 0;
    }

    bool restoreTimeouts() override {
        if (fd_ < 0) return false;
        timeouts_ = timeoutsOf(vmin_, vtime_);
        termios tio{};
        if (::tcgetattr(fd_, &tio) != 0) return false;
        tio.c_cc[VMIN] = vmin_;
        tio.c_cc[VTIME] = vtime_;
        return ::tcsetattr(fd_, TCSANOW, &tio) == 0;
    }

    bool close() override {
        if (fd_ < 0) return true;
        drain();
        // What could not leave in time is dropped, so closing never waits on a stopped line.
        ::tcflush(fd_, TCOFLUSH);
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        return closed;
    }

  private:
    // While a long answer is coming, the rest is left to gather a moment rather than waking for
    // the few bytes each millisecond brings: never longer than the rest's own time on the wire,
    // nor than half the quiet interval, so a line that falls quiet is seen as soon as before.
    void gather(std::size_t rest) const {
        const std::uint32_t interval = timeouts_.readInterval;
        if (rest == 0 || interval == 0 || interval == kMaxTimeout) return;
        const std::uint64_t pause =
            std::min({static_cast<std::uint64_t>(rest) * byteUs_,
                      static_cast<std::uint64_t>(interval) * 1000 / 2, kGatherMaxUs});
        if (pause > 0) ::usleep(static_cast<useconds_t>(pause));
    }

    void drain() {
        int queued = 0;
        if (::ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued <= 0) return;
        const std::uint32_t limit =
            writeLimit(timeouts_, static_cast<std::size_t>(queued)).value_or(1000);
        const std::uint32_t start = monotonicMs();
        while (queued > 0 && monotonicMs() - start < limit) {
            ::usleep(1000);
            if (::ioctl(fd_, TIOCOUTQ, &queued) != 0) return;
        }
    }

    int fd_;
    SerialTimeouts timeouts_;
    std::uint64_t byteUs_;
    cc_t vmin_;
    cc_t vtime_;
};

}  // namespace

std::unique_ptr<SerialLine> openLine(const std::string& name, const LineSettings& settings,
                                     int& systemError) {
    const int fd =
        ::open(serialDevicePath(name).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        systemError = errno;
        return nullptr;
    }
    termios original{};
    // Exclusive, as the Windows opening is: a second opening of the device is refused.
    const bool opened = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::isatty(fd) &&
                        applySettings(fd, settings, original);
    if (!opened) {
        systemError = errno;
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixSerialLine>(fd, settings, original);
}

}  // namespace quelfi::platform::posix
