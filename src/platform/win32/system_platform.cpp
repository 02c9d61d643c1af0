// The Windows services behind Platform: tick counter, sleep, devices, message boxes, named
// events.
#include "platform/win32/user_library.h"
#include "platform/win32/win32_ports.h"
#include "platform/win32/windows_api.h"

namespace quelfi::platform {

std::uint32_t Platform::tickCount() {
    return ::GetTickCount();
}

void Platform::sleep(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

CalendarDate Platform::localDate() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay};
}

std::unique_ptr<Port> Platform::openSerialPort(const std::string& name, int& systemError) {
    return win32::openSerial(name, systemError);
}

std::unique_ptr<SerialLine> Platform::openSerialLine(const std::string& name,
                                                     const LineSettings& settings,
                                                     int& systemError) {
    return win32::openLine(name, settings, systemError);
}

std::unique_ptr<Port> Platform::openEmulatorFiles(const std::string& commandFile,
                                                  const std::string& replyFile,
                                                  EmulatorOpenError& error) {
    return win32::openEmulator(commandFile, replyFile, error);
}

PromptAnswer Platform::prompt(const std::string& caption, const std::string& text,
                              PromptStyle style) {
    // The style values are the message box's own (MB_ICONEXCLAMATION, MB_YESNO + the same icon,
    // MB_ICONINFORMATION). No owner window: the library does not know the caller's windows.
    const int answer =
        ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), static_cast<UINT>(style));
    if (style != PromptStyle::YesNoQuestion) return PromptAnswer::Ok;
    return answer == IDYES ? PromptAnswer::Yes : PromptAnswer::No;
}

bool Platform::namedEventExists(const std::string& name) {
    win32::Handle event(::OpenEventA(EVENT_ALL_ACCESS, FALSE, name.c_str()));
    return event.valid();
}

bool Platform::blockInput(bool block) {
    return win32::blockInput(block);
}

std::uintptr_t Platform::disableActiveWindow() {
    HWND window = ::GetActiveWindow();
    if (window) ::EnableWindow(window, FALSE);
    return reinterpret_cast<std::uintptr_t>(window);
}

void Platform::enableWindow(std::uintptr_t handle) {
    HWND window = reinterpret_cast<HWND>(handle);
    if (!window) return;
    // Keys and clicks that arrived while the window was disabled are dropped; the first paint
    // request is still served.
    MSG message;
    while (::PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
        if (message.message == WM_PAINT) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
            break;
        }
    }
    ::EnableWindow(window, TRUE);
    ::UpdateWindow(window);
}

Platform& systemPlatform() {
    static Platform instance;
    return instance;
}

}  // namespace quelfi::platform
