// The status exports: the printer's status request (plain and with the electronic journal's ST3),
// the status of the last reply, and the busy test on the ready line.
#pragma once

#include <optional>

namespace quelfi::protocol {

// The status bytes a status export hands to its caller.
struct StatusAnswer {
    int ack = 0;
    int st1 = 0;
    int st2 = 0;
    int st3 = 0;
};

// Sends the status request and completes ST1 with the coupon-open bit from the fiscal flags.
// `answer` is set when the printer answered (not in client mode, not on failure).
int verifyPrinterState(std::optional<StatusAnswer>& answer);
int verifyPrinterState(short* ack, short* st1, short* st2);

// The same request answering ST3 too; the fiscal flags are not asked while a long command is
// being waited for.
int verifyPrinterStateMfd(std::optional<StatusAnswer>& answer);

// The status of the last reply, without talking to the printer (in client mode, the driver's
// Status.txt). `answer` is set unless the driver's status never appeared.
int printerReturn(std::optional<StatusAnswer>& answer);
int printerReturn(short* ack, short* st1, short* st2);

// 1 when the printer holds its ready line low (busy), else 0.
int itsBusy();

}  // namespace quelfi::protocol
