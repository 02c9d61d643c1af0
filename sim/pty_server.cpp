#include "sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <stdexcept>

namespace quelfi::sim {
namespace {

// Longer than any pause inside one frame (the three writes of a frame follow each other at
// once), shorter than a host's wait before it gives up on a reply.
constexpr int kQuietMs = 50;

void makeRaw(int fd) {
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) return;
    ::cfmakeraw(&tio);
    ::tcsetattr(fd, TCSANOW, &tio);
}

struct SpeedCode {
    speed_t code;
    unsigned baud;
};

constexpr SpeedCode kSpeeds[] = {
    {B50, 50},       {B75, 75},         {B110, 110},       {B134, 134},       {B150, 150},
    {B200, 200},     {B300, 300},       {B600, 600},       {B1200, 1200},     {B1800, 1800},
    {B2400, 2400},   {B4800, 4800},     {B9600, 9600},     {B19200, 19200},   {B38400, 38400},
    {B57600, 57600}, {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
};

// The host's settings, read back from the controller side (it shows the device side's).
LineShape shapeOf(int controller) {
    LineShape shape;
    termios tio{};
    if (::tcgetattr(controller, &tio) != 0) return shape;
    const speed_t speed = ::cfgetospeed(&tio);
    for (const SpeedCode& s : kSpeeds)
        if (s.code == speed) shape.baud = s.baud;
    switch (tio.c_cflag & CSIZE) {
        case CS5:
            shape.dataBits = 5;
            break;
        case CS6:
            shape.dataBits = 6;
            break;
        case CS7:
            shape.dataBits = 7;
            break;
        default:
            shape.dataBits = 8;
    }
    if (tio.c_cflag & PARENB) shape.parity = (tio.c_cflag & PARODD) ? 'O' : 'E';
    shape.stopBits = (tio.c_cflag & CSTOPB) ? 2 : 1;
    return shape;
}

void writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace

PtyServer::PtyServer(ByteDevice& device) : device_(device) {
    controller_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (controller_ < 0 || ::grantpt(controller_) != 0 || ::unlockpt(controller_) != 0) {
        if (controller_ >= 0) ::close(controller_);
        throw std::runtime_error("no pseudo-terminal available");
    }
    devicePath_ = ::ptsname(controller_);
    makeRaw(controller_);
    deviceHold_ = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (deviceHold_ >= 0) makeRaw(deviceHold_);
    if (::pipe2(wake_, O_CLOEXEC) != 0) {
        ::close(controller_);
        if (deviceHold_ >= 0) ::close(deviceHold_);
        throw std::runtime_error("no pipe for the pseudo-terminal server");
    }
    thread_ = std::thread([this] { serve(); });
}

PtyServer::~PtyServer() {
    stop();
    for (int fd : {controller_, deviceHold_, wake_[0], wake_[1]})
        if (fd >= 0) ::close(fd);
}

void PtyServer::linkAs(const std::string& link) {
    ::unlink(link.c_str());
    if (::symlink(devicePath_.c_str(), link.c_str()) != 0)
        throw std::runtime_error("cannot link " + link + " to " + devicePath_);
    link_ = link;
}

void PtyServer::stop() {
    if (!thread_.joinable()) return;
    stopping_ = true;
    const char wake = 1;
    while (::write(wake_[1], &wake, 1) < 0 && errno == EINTR) {
    }
    thread_.join();
    if (!link_.empty()) ::unlink(link_.c_str());
    link_.clear();
}

void PtyServer::writePaced(const std::string& bytes, const LineShape& shape) {
    // Each byte leaves at its own moment from the start, so the sleeps' overshoot never adds up;
    // the bytes due within a millisecond go out together.
    const double byteNs = shape.byteMilliseconds() * 1e6;
    timespec start{};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    const auto at = [&](std::size_t index) {
        const long long ns = start.tv_nsec + std::llround(static_cast<double>(index) * byteNs);
        return timespec{start.tv_sec + static_cast<time_t>(ns / 1000000000LL),
                        static_cast<long>(ns % 1000000000LL)};
    };
    const std::size_t chunk =
        device_.wholeWrites() ? std::max<std::size_t>(1, bytes.size())
                              : std::max<std::size_t>(1, static_cast<std::size_t>(1e6 / byteNs));
    for (std::size_t i = 0; i < bytes.size() && !stopping_; i += chunk) {
        writeAll(controller_, bytes.substr(i, chunk));
        const timespec next = at(std::min(i + chunk, bytes.size()));
        while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) == EINTR) {
        }
    }
}

void PtyServer::serve() {
    bool inMessage = false;
    while (!stopping_) {
        pollfd fds[2] = {{controller_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        const int ready = ::poll(fds, 2, inMessage || device_.sending() ? kQuietMs : -1);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0 || (fds[1].revents & POLLIN)) return;
        if (ready == 0) {
            const LineShape shape = shapeOf(controller_);
            device_.lineIs(shape);
            const std::string own = device_.idle();
            if (device_.paced())
                writePaced(own, shape);
            else
                writeAll(controller_, own);
            inMessage = false;
            continue;
        }
        if (fds[0].revents & POLLIN) {
            char buffer[512];
            const ssize_t n = ::read(controller_, buffer, sizeof buffer);
            if (n > 0) {
                const LineShape shape = shapeOf(controller_);
                device_.lineIs(shape);
                const std::string answer =
                    device_.receive(std::string_view(buffer, static_cast<std::size_t>(n)));
                if (device_.paced())
                    writePaced(answer, shape);
                else
                    writeAll(controller_, answer);
                inMessage = true;
            }
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            // Nobody holds the device side: wait for it to be opened again.
            pollfd wake{wake_[0], POLLIN, 0};
            ::poll(&wake, 1, kQuietMs);
        }
    }
}

}  // namespace quelfi::sim
