#include "protocol/waits.h"

#include "core/port_connection.h"
#include "core/printer_state.h"

namespace quelfi::protocol {

using core::state;

namespace {

// Closes the port on every way out when this wait had to open it.
class PortOpenedHere {
  public:
    // Opens the port when it is not open; `result()` holds the opening's result.
    PortOpenedHere() {
        if (state().portOpen == 0) {
            result_ = core::nested([] { return core::openPort(); });
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

int readyPollLimit() {
    const core::PrinterState& s = state();
    if (s.probeMode != 0 && s.probeMode != 2000) return 5;
    switch (s.commandBusy) {
        case 1:
            return 400;
        case 2:
            return 1800;
        case 3:
            return 2000;
        default:
            return s.statusTimeout;
    }
}

int waitPrinterReady() {
    core::PrinterState& s = state();
    if (s.emulatorMode) return s.platform->namedEventExists("EMULFITH") ? 1 : 0;

    PortOpenedHere port;
    if (port.result() != 1) return port.result();
    if (ctsOn()) return 1;
    const int limit = readyPollLimit();
    for (int polls = 1;; ++polls) {
        spinWait(100);
        if (polls >= limit) return 0;
        if (ctsOn()) return 1;
    }
}

int waitLongCommand(int seconds) {
    core::PrinterState& s = state();
    if (s.emulatorMode) {
        s.platform->sleep(5);
        return 1;
    }
    const bool savedMfd = s.mfdPrinter;
    s.mfdPrinter = true;
    int result = 0;
    {
        PortOpenedHere port;
        if (port.result() != 1) {
            s.mfdPrinter = savedMfd;
            return port.result();
        }
        const std::uint32_t start = s.platform->tickCount();
        const std::uint32_t budget = static_cast<std::uint32_t>(seconds) * 1000u;
        int failures = 0;
        int finishedAnswers = 0;
        while (s.platform->tickCount() - start < budget) {
            if (!ctsOn()) {
                s.platform->sleep(10);  // busy printing: look again shortly
                continue;
            }
            s.longWaitActive = true;
            const int answer = s.seams.extendedStatus ? s.seams.extendedStatus() : 0;
            if (answer == 0) {
                s.mfdPrinter = savedMfd;
                if (++failures >= 4) break;
                s.platform->sleep(1000);
            } else if (s.st3 == 9) {
                s.platform->sleep(10);  // still executing: ask again shortly
                continue;
            } else {
                if (++finishedAnswers >= 5) {
                    result = 1;
                    break;
                }
                s.platform->sleep(50);
            }
        }
        s.longWaitActive = false;
    }
    s.mfdPrinter = savedMfd;
    return result;
}

}  // namespace quelfi::protocol
