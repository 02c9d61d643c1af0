// The emulator's two files standing in for a serial line: commands go to one, replies are read
// from the other. Both are created when missing, shared with the emulator, opened at their start.
#include "platform/win32/win32_ports.h"
#include "platform/win32/windows_api.h"

namespace quelfi::platform::win32 {
namespace {

class EmulatorPort final : public Port {
  public:
    EmulatorPort(Handle command, Handle reply)
        : command_(std::move(command)), reply_(std::move(reply)) {}

    long write(const std::uint8_t* data, std::size_t size) override {
        DWORD written = 0;
        if (!::WriteFile(command_.get(), data, static_cast<DWORD>(size), &written, nullptr))
            return written > 0 ? static_cast<long>(written) : -1;
        return static_cast<long>(written);
    }

    bool readByte(std::uint8_t& byte) override {
        DWORD got = 0;
        return ::ReadFile(reply_.get(), &byte, 1, &got, nullptr) && got == 1;
    }

    bool ctsOn() override { return true; }

    void flush() override { ::FlushFileBuffers(command_.get()); }

    void clearReply() override {
        ::SetFilePointer(reply_.get(), 0, nullptr, FILE_BEGIN);
        ::SetEndOfFile(reply_.get());
    }

  private:
    Handle command_;
    Handle reply_;
};

Handle openShared(const std::string& path) {
    return Handle(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

std::unique_ptr<Port> openEmulator(const std::string& commandFile, const std::string& replyFile,
                                   EmulatorOpenError& error) {
    Handle command = openShared(nativePath(commandFile));
    if (!command.valid()) {
        error = {false, static_cast<int>(::GetLastError())};
        return nullptr;
    }
    Handle reply = openShared(nativePath(replyFile));
    if (!reply.valid()) {
        error = {true, static_cast<int>(::GetLastError())};
        return nullptr;
    }
    return std::make_unique<EmulatorPort>(std::move(command), std::move(reply));
}

}  // namespace quelfi::platform::win32
