// A serial line with settings of its own through the Win32 communications API, in overlapped
// mode: each transfer waits on its own event, and the port's time-outs bound it.
#include "platform/win32/win32_ports.h"
#include "platform/win32/windows_api.h"

namespace quelfi::platform::win32 {
namespace {

BYTE parityCode(Parity parity) {
    switch (parity) {
        case Parity::Odd:
            return ODDPARITY;
        case Parity::Even:
            return EVENPARITY;
        case Parity::Mark:
            return MARKPARITY;
        case Parity::Space:
            return SPACEPARITY;
        case Parity::None:
            break;
    }
    return NOPARITY;
}

BYTE stopCode(StopBits stop) {
    if (stop == StopBits::Two) return TWOSTOPBITS;
    return stop == StopBits::OneAndHalf ? ONE5STOPBITS : ONESTOPBIT;
}

COMMTIMEOUTS nativeTimeouts(const SerialTimeouts& t) {
    return {t.readInterval, t.readMultiplier, t.readConstant, t.writeMultiplier, t.writeConstant};
}

// The items left empty keep what the driver reported for the port.
bool applySettings(HANDLE port, const LineSettings& s) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(port, &dcb)) return false;
    dcb.BaudRate = s.baud;
    dcb.ByteSize = static_cast<BYTE>(s.dataBits);
    dcb.Parity = parityCode(s.parity);
    dcb.StopBits = stopCode(s.stopBits);
    dcb.fBinary = TRUE;
    dcb.fOutxCtsFlow = s.ctsFlow;
    dcb.fOutxDsrFlow = s.dsrFlow;
    dcb.fDtrControl = s.dtr ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fRtsControl = s.rts ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    if (s.xonXoffOutput) dcb.fOutX = *s.xonXoffOutput;
    if (s.xonXoffInput) dcb.fInX = *s.xonXoffInput;
    if (s.xonChar) dcb.XonChar = *s.xonChar;
    if (s.xoffChar) dcb.XoffChar = *s.xoffChar;
    if (s.parityCheck) dcb.fParity = *s.parityCheck;
    if (s.continueOnXoff) dcb.fTXContinueOnXoff = *s.continueOnXoff;
    if (s.dsrSensitivity) dcb.fDsrSensitivity = *s.dsrSensitivity;
    return ::SetCommState(port, &dcb) != 0;
}

class Win32SerialLine final : public SerialLine {
  public:
    Win32SerialLine(Handle port, const COMMTIMEOUTS& previous)
        : port_(std::move(port)), previous_(previous) {}
    ~Win32SerialLine() override { close(); }

    long write(const std::uint8_t* data, std::size_t size) override {
        return transfer(true, const_cast<std::uint8_t*>(data), size);
    }

    long read(std::uint8_t* data, std::size_t count) override {
        clearError();
        return transfer(false, data, count);
    }

    bool purge() override {
        if (!port_.valid()) return false;
        clearError();
        return ::PurgeComm(port_.get(),
                           PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR) != 0;
    }

    bool setTimeouts(const SerialTimeouts& timeouts) override {
        COMMTIMEOUTS native = nativeTimeouts(timeouts);
        return port_.valid() && ::SetCommTimeouts(port_.get(), &native) != 0;
    }

    bool restoreTimeouts() override {
        return port_.valid() && ::SetCommTimeouts(port_.get(), &previous_) != 0;
    }

    bool close() override {
        if (!port_.valid()) return true;
        COMSTAT status{};
        DWORD errors = 0;
        if (::ClearCommError(port_.get(), &errors, &status) && status.cbOutQue > 0)
            ::FlushFileBuffers(port_.get());
        return ::CloseHandle(port_.release()) != 0;
    }

  private:
    // When the port's settings abort transfers on a line error (framing, overrun), nothing
    // moves on the line again until the error is cleared.
    void clearError() {
        DWORD errors = 0;
        if (port_.valid()) ::ClearCommError(port_.get(), &errors, nullptr);
    }

    long transfer(bool writing, std::uint8_t* data, std::size_t size) {
        if (!port_.valid()) return -1;
        Handle event(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
        if (!event.valid()) return -1;
        OVERLAPPED overlapped{};
        overlapped.hEvent = event.get();
        DWORD moved = 0;
        const DWORD n = static_cast<DWORD>(size);
        const BOOL done = writing ? ::WriteFile(port_.get(), data, n, &moved, &overlapped)
                                  : ::ReadFile(port_.get(), data, n, &moved, &overlapped);
        if (done) return static_cast<long>(moved);
        if (::GetLastError() == ERROR_IO_PENDING) {
            // The port's time-outs end the transfer; the wait itself needs no limit.
            ::WaitForSingleObject(event.get(), INFINITE);
            if (::GetOverlappedResult(port_.get(), &overlapped, &moved, FALSE))
                return static_cast<long>(moved);
        }
        return endedByTimeout(::GetLastError()) ? static_cast<long>(moved) : -1;
    }

    // Some drivers report a transfer their time-outs ended as failed; it moved what it moved.
    static bool endedByTimeout(DWORD error) {
        return error == ERROR_TIMEOUT || error == WAIT_TIMEOUT || error == ERROR_SEM_TIMEOUT;
    }

    Handle port_;
    COMMTIMEOUTS previous_;
};

}  // namespace

std::unique_ptr<SerialLine> openLine(const std::string& name, const LineSettings& settings,
                                     int& systemError) {
    Handle port(::CreateFileA(serialDeviceName(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                              nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
    DWORD errors = 0;
    COMMTIMEOUTS previous{};
    COMMTIMEOUTS timeouts = nativeTimeouts(settings.timeouts);
    const bool opened = port.valid() && ::ClearCommError(port.get(), &errors, nullptr) &&
                        applySettings(port.get(), settings) &&
                        ::GetCommTimeouts(port.get(), &previous) &&
                        ::SetCommTimeouts(port.get(), &timeouts) &&
                        (settings.inputQueue == 0 ||
                         ::SetupComm(port.get(), settings.inputQueue, settings.outputQueue));
    if (!opened) {
        systemError = static_cast<int>(::GetLastError());
        return nullptr;
    }
    return std::make_unique<Win32SerialLine>(std::move(port), previous);
}

}  // namespace quelfi::platform::win32
