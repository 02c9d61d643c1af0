// The printer's serial line through the Win32 communications API: 9600 8N1 with CTS guarding
// output and XON/XOFF guarding input, 200 ms time-outs, one-byte reads, CTS as the ready line.
#include <cctype>
#include <cstdlib>

#include "platform/win32/win32_ports.h"
#include "platform/win32/windows_api.h"

namespace quelfi::platform::win32 {
namespace {

// A one-byte read gives up after about 200 ms; a write of n bytes after 200 + 2n ms.
constexpr DWORD kReadInterval = 1;
constexpr DWORD kReadMultiplier = 2;
constexpr DWORD kReadConstant = 200;
constexpr DWORD kWriteMultiplier = 2;
constexpr DWORD kWriteConstant = 200;

// Driver queue sizes, in bytes.
constexpr DWORD kInputQueue = 50000;
constexpr DWORD kOutputQueue = 2048;

constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;

class SerialPort final : public Port {
  public:
    explicit SerialPort(Handle handle) : handle_(std::move(handle)) {}

    long write(const std::uint8_t* data, std::size_t size) override {
        DWORD written = 0;
        if (::WriteFile(handle_.get(), data, static_cast<DWORD>(size), &written, nullptr))
            return static_cast<long>(written);
        clearLineError();
        return written > 0 ? static_cast<long>(written) : -1;
    }

    bool readByte(std::uint8_t& byte) override {
        DWORD got = 0;
        if (!::ReadFile(handle_.get(), &byte, 1, &got, nullptr)) {
            clearLineError();
            return false;
        }
        return got == 1;
    }

    void discardInput() override { ::PurgeComm(handle_.get(), PURGE_RXCLEAR); }

    void raiseRts() override { ::EscapeCommFunction(handle_.get(), SETRTS); }

    bool ctsOn() override {
        DWORD lines = 0;
        // Virtual ports without modem lines cannot answer: they count as ready.
        if (!::GetCommModemStatus(handle_.get(), &lines)) return true;
        return (lines & MS_CTS_ON) != 0;
    }

  private:
    // When the port's settings abort transfers on a line error (framing, overrun), nothing
    // moves on the line again until the error is cleared.
    void clearLineError() {
        DWORD errors = 0;
        ::ClearCommError(handle_.get(), &errors, nullptr);
    }

    Handle handle_;
};

// The printer's line settings on top of what the driver reports for the port.
bool configureLine(HANDLE port) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(port, &dcb)) return false;
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = TRUE;
    dcb.fOutxCtsFlow = TRUE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;  // raised once below, after the settings are in
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fInX = TRUE;
    dcb.fOutX = FALSE;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.XonChar = kXon;
    dcb.XoffChar = kXoff;
    dcb.fDsrSensitivity = FALSE;
    if (!::SetCommState(port, &dcb)) return false;

    COMMTIMEOUTS timeouts{kReadInterval, kReadMultiplier, kReadConstant, kWriteMultiplier,
                          kWriteConstant};
    // Without its time-outs a read could wait for ever: that is a failed opening.
    if (!::SetCommTimeouts(port, &timeouts)) return false;
    ::GetCommTimeouts(port, &timeouts);
    ::SetupComm(port, kInputQueue, kOutputQueue);
    // Ports without modem lines refuse this; the printer then does not need it either.
    ::EscapeCommFunction(port, SETDTR);
    return true;
}

bool isComName(const std::string& name) {
    if (name.size() < 4) return false;
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return false;
    }
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
    }
    return true;
}

}  // namespace

std::string serialDeviceName(const std::string& name) {
    if (isComName(name) && std::atoi(name.c_str() + 3) >= 10) return "\\\\.\\" + name;
    return name;
}

std::unique_ptr<Port> openSerial(const std::string& name, int& systemError) {
    // Exclusive: a second program (or a second opening) on the printer's line is refused.
    Handle port(::CreateFileA(serialDeviceName(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                              nullptr, OPEN_EXISTING, 0, nullptr));
    if (!port.valid() || !configureLine(port.get())) {
        systemError = static_cast<int>(::GetLastError());
        return nullptr;
    }
    return std::make_unique<SerialPort>(std::move(port));
}

}  // namespace quelfi::platform::win32
