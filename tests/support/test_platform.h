// The operating system with a replaceable clock, a recording prompt and ports that tests plug in.
#pragma once

#include <atomic>
#include <deque>
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
    std::uint32_t tickCount() override;
    void sleep(std::uint32_t milliseconds) override;
    // Total milliseconds slept, for checking how long a wait took on the virtual clock.
    std::uint64_t slept() const { return slept_; }

    // A port factory for a name: used instead of the system's serial ports.
    using PortFactory = std::function<std::unique_ptr<platform::Port>()>;
    void plugPort(const std::string& name, PortFactory factory) {
        ports_[name] = std::move(factory);
    }
    std::unique_ptr<platform::Port> openSerialPort(const std::string& name,
                                                   int& systemError) override;

    // A serial line factory for a name, given the settings the library opens it with.
    using LineFactory =
        std::function<std::unique_ptr<platform::SerialLine>(const platform::LineSettings&)>;
    void plugLine(const std::string& name, LineFactory factory) {
        lines_[name] = std::move(factory);
    }
    std::unique_ptr<platform::SerialLine> openSerialLine(const std::string& name,
                                                         const platform::LineSettings& settings,
                                                         int& systemError) override;
    // A module factory for a Windows module name, used instead of the system's loading; a
    // factory may give null (the module missing).
    using ModuleFactory = std::function<std::unique_ptr<platform::LoadedModule>()>;
    void plugModule(const std::string& name, ModuleFactory factory) {
        modules_[name] = std::move(factory);
    }
    std::unique_ptr<platform::LoadedModule> loadModule(const std::string& name) override;

    // Today as the library sees it; the machine's own date until a test fixes one.
    std::optional<platform::CalendarDate> date;
    platform::CalendarDate localDate() override {
        return date ? *date : platform::Platform::localDate();
    }

    // Runs at every sleep, before the clock moves: a virtual device working in the library's
    // waits (the TEF manager answering while the library polls for its files).
    std::function<void()> duringSleep;

    // Every prompt shown, with its style. Questions take the scripted answers in order, then "no".
    struct Prompt {
        std::string caption;
        std::string text;
        platform::PromptStyle style = platform::PromptStyle::Exclamation;
    };
    std::vector<Prompt> prompts;
    std::deque<platform::PromptAnswer> answers;
    platform::PromptAnswer prompt(const std::string& caption, const std::string& text,
                                  platform::PromptStyle style) override;

    std::vector<std::string> transientMessages;
    void showTransientMessage(const std::string& text) override;

    // Input blocking as a desktop with (or without) the blocking function would do it: each call
    // recorded as "block", "unblock", "disable" or "enable".
    bool canBlockInput = true;
    std::vector<std::string> inputCalls;
    bool blockInput(bool block) override;
    std::uintptr_t disableActiveWindow() override;
    void enableWindow(std::uintptr_t window) override;

  private:
    bool virtualClock_ = false;
    std::atomic<std::uint64_t> now_{1000};
    std::atomic<std::uint64_t> slept_{0};
    std::map<std::string, PortFactory> ports_;
    std::map<std::string, LineFactory> lines_;
    std::map<std::string, ModuleFactory> modules_;
};

}  // namespace quelfi::test
