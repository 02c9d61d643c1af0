#include "protocol/waits.h"

#include <optional>

#include "core/port_connection.h"
#include "core/printer_state.h"
#include "protocol/status.h"

namespace quelfi::protocol {

using core::state;

namespace {

// Closes the port on every way out when this wait had to open it.
class PortOpenedHere {
  public:
    // Opens the port when it is not open; `result()` holds the opening's result.
    explicit PortOpenedHere(const Road& road) {
        if (state().portOpen == 0) {
            result_ = core::nested([&] { return road.openPort(); });
            opened_ = result_ == 1;
        }
    }
    ~PortOpenedHere() {
        if (opened_) core::nested([] { return core::closePort(); });
    }
    int result() const { return result_; }

  private:
    int result_ = 1;
    bool opened_ = false;
};

bool ctsOn() {
    return state().port && state().port->ctsOn();
}

// The electronic journal's status export asked while a long command runs, which leaves ST3 in
// the state; anything but an answer counts as a failed query.
int extendedStatus(const Road& road, std::optional<bool> journal) {
    std::optional<StatusAnswer> answer;
    const int result = verifyPrinterStateMfd(
        road, answer, {.readyPolls = 0, .journal = journal, .duringLongWait = true});
    return answer && (result == 1 || result == -27) ? result : 0;
}

}  // namespace

void spinWait(std::uint32_t milliseconds) {
    platform::Platform& os = *state().platform;
    const std::uint32_t deadline = os.tickCount() + milliseconds;
    for (;;) {
        const auto left = static_cast<std::int32_t>(deadline - os.tickCount());
        if (left <= 0) return;
        os.sleep(static_cast<std::uint32_t>(left));
    }
}

int readyPollLimit(const CommandSpec& spec) {
    const core::PrinterState& s = state();
    if (spec.probe || (s.probeMode != 0 && s.probeMode != 2000)) return 5;
    switch (spec.busyClass) {
        case 1:
            return 400;
        case 2:
            return 1800;
        case 3:
            return 2000;
        default:
            return spec.readyPolls != 0 ? spec.readyPolls : s.statusTimeout;
    }
}

int waitPrinterReady(const Road& road, int limit) {
    core::PrinterState& s = state();
    if (s.emulatorMode) return s.platform->namedEventExists("EMULFITH") ? 1 : 0;

    PortOpenedHere port(road);
    if (port.result() != 1) return port.result();
    if (ctsOn()) return 1;
    for (int polls = 1;; ++polls) {
        spinWait(100);
        if (polls >= limit) return 0;
        if (ctsOn()) return 1;
    }
}

int waitLongCommand(const Road& road, int seconds) {
    core::PrinterState& s = state();
    if (s.emulatorMode) {
        s.platform->sleep(5);
        return 1;
    }
    PortOpenedHere port(road);
    if (port.result() != 1) return port.result();
    // The status is asked in the journal's framing until it first fails to answer; from then on in
    // the framing the INI configured.
    std::optional<bool> journal = true;
    const std::uint32_t start = s.platform->tickCount();
    const std::uint32_t budget = static_cast<std::uint32_t>(seconds) * 1000u;
    int failures = 0;
    int finishedAnswers = 0;
    while (s.platform->tickCount() - start < budget) {
        if (!ctsOn()) {
            s.platform->sleep(10);  // busy printing: look again shortly
            continue;
        }
        if (extendedStatus(road, journal) == 0) {
            journal.reset();
            if (++failures >= 4) break;
            s.platform->sleep(1000);
        } else if (s.st3 == 9) {
            s.platform->sleep(10);  // still executing: ask again shortly
        } else {
            if (++finishedAnswers >= 5) return 1;
            s.platform->sleep(50);
        }
    }
    return 0;
}

}  // namespace quelfi::protocol
