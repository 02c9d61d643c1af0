// The emulator's two files standing in for a serial line: commands go to one, replies are read
// from the other. Both are created when missing and opened at their start, content kept.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/posix_ports.h"

namespace quelfi::platform::posix {
namespace {

class EmulatorPort final : public Port {
  public:
    EmulatorPort(int commandFd, int replyFd) : command_(commandFd), reply_(replyFd) {}
    ~EmulatorPort() override {
        ::close(command_);
        ::close(reply_);
    }

    long write(const std::uint8_t* data, std::size_t size) override {
        ssize_t n = ::write(command_, data, size);
        return n < 0 ? -1 : static_cast<long>(n);
    }

    bool readByte(std::uint8_t& byte) override { return ::read(reply_, &byte, 1) == 1; }

    bool ctsOn() override { return true; }

    void flush() override { ::fdatasync(command_); }

    void clearReply() override {
        ::lseek(reply_, 0, SEEK_SET);
        if (::ftruncate(reply_, 0) != 0) {
            // Nothing more to do: the next answer is then read after the old one.
        }
    }

  private:
    int command_;
    int reply_;
};

}  // namespace

std::unique_ptr<Port> openEmulator(const std::string& commandFile, const std::string& replyFile,
                                   EmulatorOpenError& error) {
    int command = ::open(nativePath(commandFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (command < 0) {
        error = {false, errno};
        return nullptr;
    }
    int reply = ::open(nativePath(replyFile).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (reply < 0) {
        error = {true, errno};
        ::close(command);
        return nullptr;
    }
    return std::make_unique<EmulatorPort>(command, reply);
}

}  // namespace quelfi::platform::posix
