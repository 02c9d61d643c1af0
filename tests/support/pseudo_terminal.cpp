#include "support/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

namespace quelfi::test {

PseudoTerminal::PseudoTerminal() {
    controller_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (controller_ < 0 || ::grantpt(controller_) != 0 || ::unlockpt(controller_) != 0)
        throw std::runtime_error("no pseudo-terminal");
    device_ = ::ptsname(controller_);
    // Raw on this side too, so bytes pass unchanged both ways.
    termios tio{};
    ::tcgetattr(controller_, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(controller_, TCSANOW, &tio);
}

PseudoTerminal::~PseudoTerminal() {
    if (controller_ >= 0) ::close(controller_);
}

void PseudoTerminal::linkAs(const std::string& link) const {
    ::unlink(link.c_str());
    if (::symlink(device_.c_str(), link.c_str()) != 0) throw std::runtime_error("symlink");
}

std::string PseudoTerminal::read(std::size_t count, int ms) const {
    std::string out;
    while (out.size() < count) {
        pollfd p{controller_, POLLIN, 0};
        if (::poll(&p, 1, ms) <= 0) break;
        char buf[256];
        ssize_t n = ::read(controller_, buf, sizeof buf);
        if (n <= 0) break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    return out;
}

void PseudoTerminal::write(const std::string& bytes) const {
    if (::write(controller_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("pty write");
}

}  // namespace quelfi::test
