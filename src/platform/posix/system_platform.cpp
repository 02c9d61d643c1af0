// The POSIX services behind Platform: clock, sleep, devices, operator prompts, named events.
// There is no desktop to block or window to disable here: operator messages go to standard error.
#include <fcntl.h>
#include <semaphore.h>
#include <time.h>

#include <cstdlib>
#include <iostream>

#include "platform/posix/posix_ports.h"

#ifndef QUELFI_VERSION_TEXT
#define QUELFI_VERSION_TEXT "1,0,0,0"
#endif

namespace quelfi::platform {

std::uint32_t Platform::tickCount() {
    return posix::monotonicMs();
}

void Platform::sleep(std::uint32_t milliseconds) {
    timespec ts{static_cast<time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * 1000000L};
    while (::nanosleep(&ts, &ts) != 0) {
    }
}

CalendarDate Platform::localDate() {
    const time_t now = ::time(nullptr);
    tm local{};
    ::localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::unique_ptr<Port> Platform::openSerialPort(const std::string& name, int& systemError) {
    return posix::openSerial(name, systemError);
}

std::unique_ptr<SerialLine> Platform::openSerialLine(const std::string& name,
                                                     const LineSettings& settings,
                                                     int& systemError) {
    return posix::openLine(name, settings, systemError);
}

std::unique_ptr<Port> Platform::openEmulatorFiles(const std::string& commandFile,
                                                  const std::string& replyFile,
                                                  EmulatorOpenError& error) {
    return posix::openEmulator(commandFile, replyFile, error);
}

PromptAnswer Platform::prompt(const std::string& caption, const std::string& text,
                              PromptStyle style) {
    std::cerr << caption << ": " << text << '\n';
    if (style != PromptStyle::YesNoQuestion) return PromptAnswer::Ok;
    const char* answer = std::getenv("QUELFI_PROMPT_ANSWER");
    return answer && std::string(answer) == "yes" ? PromptAnswer::Yes : PromptAnswer::No;
}

bool Platform::namedEventExists(const std::string& name) {
    sem_t* s = ::sem_open(("/" + name).c_str(), 0);
    if (s == SEM_FAILED) return false;
    ::sem_close(s);
    return true;
}

void Platform::showTransientMessage(const std::string& text) {
    std::cerr << text << '\n';
}

bool Platform::blockInput(bool) {
    return false;
}

std::uintptr_t Platform::disableActiveWindow() {
    return 0;
}

void Platform::enableWindow(std::uintptr_t) {}

Platform& systemPlatform() {
    static Platform instance;
    return instance;
}

std::string libraryVersion() {
    return QUELFI_VERSION_TEXT;
}

}  // namespace quelfi::platform
