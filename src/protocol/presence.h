// Whether a printer answers: the exported presence check, and the search of COM1 to COM8 that
// the port opening runs for the port name "DEFAULT".
#pragma once

#include "protocol/road.h"

namespace quelfi::protocol {

// Sends the status request and says whether anything answered, whatever its status bytes: 1, -6,
// the port opening's result when it did not open, or in client mode the request file's result.
int verifyPrinterOn(const Road& road);

// Tries COM1 to COM8 in order and keeps the first where the presence check answers, recording it
// as the configured port so later loads open it directly. 1, or -5 when none answered.
int searchPorts(const Road& road);

}  // namespace quelfi::protocol
