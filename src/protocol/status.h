// The status exports: the printer's status request, the status of the last reply, and the busy
// test on the ready line.
#pragma once

namespace quelfi::protocol {

// Sends the status request and completes ST1 with the coupon-open bit from the fiscal flags.
int verifyPrinterState(short* ack, short* st1, short* st2);

// The status of the last reply, without talking to the printer (in client mode, the driver's
// Status.txt).
int printerReturn(short* ack, short* st1, short* st2);

// 1 when the printer holds its ready line low (busy), else 0.
int itsBusy();

}  // namespace quelfi::protocol
