// The printer's serial line on POSIX (termios). Port names follow the Windows ones: "COMn" is
// looked up under $QUELFI_PORT_DIR or as /dev/ttyS<n-1>; any other name is a device path.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "platform/posix/posix_ports.h"

namespace quelfi::platform::posix {
namespace {

// The line's time-outs: a one-byte read waits 200 ms; a write of n bytes 200 + 2n ms.
constexpr int kReadTimeoutMs = 200;
constexpr int kWriteConstantMs = 200;
constexpr int kWriteMultiplierMs = 2;

class SerialPort final : public Port {
  public:
    explicit SerialPort(int fd) : fd_(fd) {}
    ~SerialPort() override { ::close(fd_); }

    long write(const std::uint8_t* data, std::size_t size) override {
        const int budget = kWriteConstantMs + kWriteMultiplierMs * static_cast<int>(size);
        std::size_t done = 0;
        const std::uint32_t start = monotonicMs();
        while (done < size) {
            int left = budget - static_cast<int>(monotonicMs() - start);
            if (left <= 0) break;
            pollfd p{fd_, POLLOUT, 0};
            int r = ::poll(&p, 1, left);
            if (r < 0 && errno == EINTR) continue;
            if (r < 0) return done ? static_cast<long>(done) : -1;
            if (r == 0) break;
            ssize_t n = ::write(fd_, data + done, size - done);
            if (n < 0) {
                if (errno == EAGAIN || errno == EINTR) continue;
                return done ? static_cast<long>(done) : -1;
            }
            done += static_cast<std::size_t>(n);
        }
        return static_cast<long>(done);
    }

    bool readByte(std::uint8_t& byte) override {
        const std::uint32_t start = monotonicMs();
        for (;;) {
            int left = kReadTimeoutMs - static_cast<int>(monotonicMs() - start);
            if (left < 0) left = 0;
            pollfd p{fd_, POLLIN, 0};
            int r = ::poll(&p, 1, left);
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) return false;
            ssize_t n = ::read(fd_, &byte, 1);
            if (n == 1) return true;
            if (n < 0 && (errno == EAGAIN || errno == EINTR) && left > 0) continue;
            if (n == 0 && left > 0) {
                // A hung-up pseudo-terminal reads as end of file at once: wait out the time-out.
                ::usleep(static_cast<useconds_t>(left) * 1000);
            }
            return false;
        }
    }

    void discardInput() override { ::tcflush(fd_, TCIFLUSH); }

    void raiseRts() override {
        int rts = TIOCM_RTS;
        ::ioctl(fd_, TIOCMBIS, &rts);  // fails quietly on a pseudo-terminal
    }

    bool ctsOn() override {
        int lines = 0;
        if (::ioctl(fd_, TIOCMGET, &lines) != 0) return true;
        return (lines & TIOCM_CTS) != 0;
    }

  private:
    int fd_;
};

bool configureLine(int fd) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) return false;
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
    tio.c_cflag |= CS8 | CLOCAL | CREAD | CRTSCTS;  // output waits for CTS
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON);    // no software flow on output
    tio.c_iflag |= IXOFF;                           // the driver sends XOFF/XON on input
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 2;
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) return false;
    int dtr = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd, TIOCMBIS, &dtr);  // a pseudo-terminal has no modem lines to raise
    return true;
}

}  // namespace

std::uint32_t monotonicMs() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
                                      static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u);
}

std::string serialDevicePath(const std::string& name) {
    bool isCom = name.size() > 3 && std::toupper(static_cast<unsigned char>(name[0])) == 'C' &&
                 std::toupper(static_cast<unsigned char>(name[1])) == 'O' &&
                 std::toupper(static_cast<unsigned char>(name[2])) == 'M';
    for (std::size_t i = 3; isCom && i < name.size(); ++i)
        isCom = std::isdigit(static_cast<unsigned char>(name[i])) != 0;
    if (!isCom) return name;
    const std::string number = name.substr(3);
    if (const char* dir = std::getenv("QUELFI_PORT_DIR"); dir && *dir)
        return std::string(dir) + "/COM" + number;
    return "/dev/ttyS" + std::to_string(std::atoi(number.c_str()) - 1);
}

std::unique_ptr<Port> openSerial(const std::string& name, int& systemError) {
    const std::string path = serialDevicePath(name);
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        systemError = errno;
        return nullptr;
    }
    // Exclusive use, as the Windows port opening has it.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !::isatty(fd) || !configureLine(fd)) {
        systemError = ::isatty(fd) ? errno : ENOTTY;
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<SerialPort>(fd);
}

}  // namespace quelfi::platform::posix
