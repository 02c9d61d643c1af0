// The Windows services behind Platform: tick counter, sleep, devices, message boxes, named
// events.
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

std::unique_ptr<Port> Platform::openEmulatorFiles(const std::string& commandFile,
                                                  const std::string& replyFile,
                                                  EmulatorOpenError& error) {
    return win32::openEmulator(commandFile, replyFile, error);
}

PromptAnswer Platform::prompt(const std::string& caption, const std::string& text,
                              PromptStyle style) {
    UINT kind = MB_OK | MB_ICONEXCLAMATION;
    if (style == PromptStyle::Information) kind = MB_OK | MB_ICONINFORMATION;
    if (style == PromptStyle::YesNoQuestion) kind = MB_YESNO | MB_ICONQUESTION;
    // No owner window: the library does not know the caller's windows.
    const int answer = ::MessageBoxA(nullptr, text.c_str(), caption.c_str(), kind);
    if (style != PromptStyle::YesNoQuestion) return PromptAnswer::Ok;
    return answer == IDYES ? PromptAnswer::Yes : PromptAnswer::No;
}

bool Platform::namedEventExists(const std::string& name) {
    win32::Handle event(::OpenEventA(EVENT_ALL_ACCESS, FALSE, name.c_str()));
    return event.valid();
}

Platform& systemPlatform() {
    static Platform instance;
    return instance;
}

}  // namespace quelfi::platform
