// Waiting for the printer: fixed pauses, the CTS ready line, and the end of a long command.
// Every wait keeps its deadlines on the platform's tick counter but sleeps instead of spinning.
#pragma once

#include <cstdint>

namespace quelfi::protocol {

// Waits `milliseconds` on the tick counter.
void spinWait(std::uint32_t milliseconds);

// The ready-polls allowed for the command in progress (100 ms each).
int readyPollLimit();

// 1 when the printer is ready (CTS on, or the emulator present), 0 when the wait limit passed,
// or the opening's result when the port had to be opened and did not open.
int waitPrinterReady();

// Waits up to `seconds` for a long command (the Z reduction) to finish, by asking the extended
// status until the printer stops answering "still executing". 1 finished, 0 time-out or repeated
// failure, or the opening's result.
int waitLongCommand(int seconds);

}  // namespace quelfi::protocol
