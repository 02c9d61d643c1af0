#include "support/scripted_serial_line.h"

namespace quelfi::test {
namespace {

class ScriptedSerialLine final : public platform::SerialLine {
  public:
    ScriptedSerialLine(std::shared_ptr<SerialScript> script, platform::Platform& clock,
                       const platform::SerialTimeouts& timeouts)
        : script_(std::move(script)), clock_(clock), timeouts_(timeouts) {
        script_->open = true;
        script_->timeoutsSet.push_back(timeouts);
    }
    ~ScriptedSerialLine() override { close(); }

    long write(const std::uint8_t* data, std::size_t size) override {
        script_->written.append(reinterpret_cast<const char*>(data), size);
        return static_cast<long>(size);
    }
    long read(std::uint8_t* data, std::size_t count) override {
        std::deque<sim::DueByte>& coming = script_->coming;
        return sim::readOnClock(
            clock_, timeouts_, data, count,
            [&coming](sim::DueByte& due) {
                if (coming.empty()) return false;
                due = coming.front();
                return true;
            },
            [&coming] { coming.pop_front(); });
    }
    bool purge() override { return true; }
    bool setTimeouts(const platform::SerialTimeouts& timeouts) override {
        timeouts_ = timeouts;
        script_->timeoutsSet.push_back(timeouts);
        return true;
    }
    bool restoreTimeouts() override {
        script_->timeoutsRestored = true;
        return true;
    }
    bool close() override {
        script_->open = false;
        return true;
    }

  private:
    std::shared_ptr<SerialScript> script_;
    platform::Platform& clock_;
    platform::SerialTimeouts timeouts_;
};

}  // namespace

void SerialScript::arrive(const std::string& bytes, std::uint32_t from, std::uint32_t everyMs) {
    for (std::size_t i = 0; i < bytes.size(); ++i)
        coming.push_back({bytes[i], from + static_cast<std::uint32_t>(i) * everyMs});
}

std::unique_ptr<platform::SerialLine> scriptedLine(std::shared_ptr<SerialScript> script,
                                                   platform::Platform& clock,
                                                   const platform::LineSettings& settings) {
    return std::make_unique<ScriptedSerialLine>(std::move(script), clock, settings.timeouts);
}

}  // namespace quelfi::test
