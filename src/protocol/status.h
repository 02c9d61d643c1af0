// The status exports: the printer's status request (plain and with the electronic journal's ST3),
// the status of the last reply, and the busy test on the ready line.
#pragma once

#include <optional>

#include "protocol/road.h"

namespace quelfi::protocol {

// The status bytes a status export hands to its caller.
struct StatusAnswer {
    int ack = 0;
    int st1 = 0;
    int st2 = 0;
    int st3 = 0;
};

// How a status request is asked when another step of the library asks it.
struct StatusAsk {
    int readyPolls = 0;           // ready-polls of 100 ms allowed; 0: statusTimeout
    std::optional<bool> journal;  // electronic-journal framing; the configured one unset
    bool duringLongWait = false;  // asked while a long command runs: no fiscal-flags completion
};

// Sends the status request and completes ST1 with the coupon-open bit from the fiscal flags.
// `answer` is set when the printer answered (not in client mode, not on failure).
int verifyPrinterState(const Road& road, std::optional<StatusAnswer>& answer,
                       const StatusAsk& ask = {});
int verifyPrinterState(const Road& road, short* ack, short* st1, short* st2);

// The same request answering ST3 too.
int verifyPrinterStateMfd(const Road& road, std::optional<StatusAnswer>& answer,
                          const StatusAsk& ask = {});

// The status of the last reply, without talking to the printer (in client mode, the driver's
// Status.txt). `answer` is set unless the driver's status never appeared.
int printerReturn(const Road& road, std::optional<StatusAnswer>& answer);
int printerReturn(const Road& road, short* ack, short* st1, short* st2);

// 1 when the printer holds its ready line low (busy), else 0.
int itsBusy(const Road& road);

}  // namespace quelfi::protocol
