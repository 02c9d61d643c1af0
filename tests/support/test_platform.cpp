#include "support/test_platform.h"

namespace quelfi::test {

std::uint32_t TestPlatform::tickCount() {
    if (!virtualClock_) return Platform::tickCount();
    return static_cast<std::uint32_t>(now_.load());
}

void TestPlatform::sleep(std::uint32_t milliseconds) {
    if (duringSleep) duringSleep();
    slept_ += milliseconds;
    if (!virtualClock_) return Platform::sleep(milliseconds);
    now_ += milliseconds;
}

std::unique_ptr<platform::Port> TestPlatform::openSerialPort(const std::string& name,
                                                             int& systemError) {
    auto it = ports_.find(name);
    if (it != ports_.end()) return it->second();
    return Platform::openSerialPort(name, systemError);
}

std::unique_ptr<platform::SerialLine> TestPlatform::openSerialLine(
    const std::string& name, const platform::LineSettings& settings, int& systemError) {
    auto it = lines_.find(name);
    if (it != lines_.end()) return it->second(settings);
    return Platform::openSerialLine(name, settings, systemError);
}

std::unique_ptr<platform::LoadedModule> TestPlatform::loadModule(const std::string& name) {
    auto it = modules_.find(name);
    if (it != modules_.end()) return it->second();
    return Platform::loadModule(name);
}

platform::PromptAnswer TestPlatform::prompt(const std::string& caption, const std::string& text,
                                            platform::PromptStyle style) {
    prompts.push_back({caption, text, style});
    if (style != platform::PromptStyle::YesNoQuestion) return platform::PromptAnswer::Ok;
    if (answers.empty()) return platform::PromptAnswer::No;
    const platform::PromptAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void TestPlatform::showTransientMessage(const std::string& text) {
    transientMessages.push_back(text);
}

bool TestPlatform::blockInput(bool block) {
    if (!canBlockInput) return false;
    inputCalls.push_back(block ? "block" : "unblock");
    return true;
}

// A made-up window handle: what the library must give back.
constexpr std::uintptr_t kActiveWindow = 0x1234;

std::uintptr_t TestPlatform::disableActiveWindow() {
    inputCalls.push_back("disable");
    return kActiveWindow;
}

void TestPlatform::enableWindow(std::uintptr_t window) {
    inputCalls.push_back(window == kActiveWindow ? "enable" : "enable another window");
}

}  // namespace quelfi::test
