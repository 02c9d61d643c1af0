// Waiting for the printer: fixed pauses, the CTS ready line, and the end of a long command.
// Every wait keeps its deadlines on the platform's tick counter but sleeps instead of spinning.
#pragma once

#include <cstdint>

#include "protocol/command_spec.h"
#include "protocol/road.h"

namespace quelfi::protocol {

// Waits `milliseconds` on the tick counter.
void spinWait(std::uint32_t milliseconds);

// The ready-polls allowed while `spec`'s command is in progress (100 ms each).
int readyPollLimit(const CommandSpec& spec);

// 1 when the printer is ready (CTS on, or the emulator present) within `limit` ready-polls, 0 when
// the limit passed, or the opening's result when the port had to be opened and did not open.
int waitPrinterReady(const Road& road, int limit);

// Waits up to `seconds` for a long command (the Z reduction) to finish, by asking the extended
// status until the printer stops answering "still executing". 1 finished, 0 time-out or repeated
// failure, or the opening's result.
int waitLongCommand(const Road& road, int seconds);

}  // namespace quelfi::protocol
