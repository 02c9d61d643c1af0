// A serial line whose far end is a script: bytes that come due at ticks of the test's clock.
// Reads keep the line's time-outs by sleeping on that clock, so a virtual clock shows exactly how
// long a read waited.
#pragma once

#include <deque>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "sim/clocked_read.h"

namespace quelfi::test {

struct SerialScript {
    std::deque<sim::DueByte> coming;  // in order of their ticks
    bool open = false;
    bool timeoutsRestored = false;

    // `bytes` coming due one per `everyMs` from tick `from`.
    void arrive(const std::string& bytes, std::uint32_t from, std::uint32_t everyMs = 0) {
        for (const char byte : bytes) coming.push_back({byte, from}), from += everyMs;
    }
};

class ScriptedSerialLine final : public platform::SerialLine {
  public:
    ScriptedSerialLine(std::shared_ptr<SerialScript> script, platform::Platform& clock,
                       const platform::LineSettings& settings)
        : script_(std::move(script)), clock_(clock), timeouts_(settings.timeouts) {
        script_->open = true;
    }
    ~ScriptedSerialLine() override { close(); }

    long write(const std::uint8_t*, std::size_t size) override { return static_cast<long>(size); }
    long read(std::uint8_t* data, std::size_t count) override {
        std::deque<sim::DueByte>& coming = script_->coming;
        const auto next = [&](sim::DueByte& due) {
            return !coming.empty() && (due = coming.front(), true);
        };
        return sim::readOnClock(clock_, timeouts_, data, count, next, [&] { coming.pop_front(); });
    }
    bool purge() override { return true; }
    bool setTimeouts(const platform::SerialTimeouts& timeouts) override {
        timeouts_ = timeouts;
        return true;
    }
    bool restoreTimeouts() override { return script_->timeoutsRestored = true; }
    bool close() override { return !(script_->open = false); }

  private:
    std::shared_ptr<SerialScript> script_;
    platform::Platform& clock_;
    platform::SerialTimeouts timeouts_;
};

}  // namespace quelfi::test
