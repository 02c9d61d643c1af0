#include "support/test_platform.h"

namespace quelfi::test {

std::uint32_t TestPlatform::tickCount() {
    if (!virtualClock_) return Platform::tickCount();
    return static_cast<std::uint32_t>(now_.load());
}

void TestPlatform::sleep(std::uint32_t milliseconds) {
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

platform::PromptAnswer TestPlatform::prompt(const std::string& caption, const std::string& text,
                                            platform::PromptStyle style) {
    prompts.push_back({caption, text});
    return style == platform::PromptStyle::YesNoQuestion ? platform::PromptAnswer::No
                                                         : platform::PromptAnswer::Ok;
}

}  // namespace quelfi::test
