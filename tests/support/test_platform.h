// The operating system with a replaceable clock, a recording prompt and ports that tests plug in.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace quelfi::test {

class TestPlatform : public platform::Platform {
  public:
    // With a virtual clock, sleeping advances the tick counter at once: a 20-second wait takes no
    // real time. Real time is the default.
    void useVirtualClock(bool on) { virtualClock_ = on; }
    std::uint32_t tickCount() override {
        return virtualClock_ ? static_cast<std::uint32_t>(now_.load()) : Platform::tickCount();
    }
    void sleep(std::uint32_t milliseconds) override {
        slept_ += milliseconds;
        if (!virtualClock_) return Platform::sleep(milliseconds);
        now_ += milliseconds;
    }
    // Total milliseconds slept, for checking how long a wait took on the virtual clock.
    std::uint64_t slept() const { return slept_; }

    // A port factory for a name: used instead of the system's serial ports.
    using PortFactory = std::function<std::unique_ptr<platform::Port>()>;
    void plugPort(const std::string& name, PortFactory factory) {
        ports_[name] = std::move(factory);
    }
    std::unique_ptr<platform::Port> openSerialPort(const std::string& name,
                                                   int& systemError) override {
        auto it = ports_.find(name);
        return it != ports_.end() ? it->second() : Platform::openSerialPort(name, systemError);
    }

    // Today as the library sees it; the machine's own date until a test fixes one.
    std::optional<platform::CalendarDate> date;
    platform::CalendarDate localDate() override {
        return date ? *date : platform::Platform::localDate();
    }

    struct Prompt {
        std::string caption;
        std::string text;
    };
    std::vector<Prompt> prompts;
    platform::PromptAnswer prompt(const std::string& caption, const std::string& text,
                                  platform::PromptStyle style) override {
        prompts.push_back({caption, text});
        return style == platform::PromptStyle::YesNoQuestion ? platform::PromptAnswer::No
                                                             : platform::PromptAnswer::Ok;
    }

  private:
    bool virtualClock_ = false;
    std::atomic<std::uint64_t> now_{1000};
    std::atomic<std::uint64_t> slept_{0};
    std::map<std::string, PortFactory> ports_;
};

}  // namespace quelfi::test
