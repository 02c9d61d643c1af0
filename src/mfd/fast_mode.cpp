#include "core/printer_state.h"
#include "mfd/documents.h"

namespace quelfi::mfd {

int setFastMode(int mode) {
    core::PrinterState& s = core::state();
    // Above 1: give up on a silent printer at once: one write, one empty read, one ready-poll.
    if (mode > 1) {
        s.fastSaleMode = false;
        s.writeAttempts = s.replyAttempts = s.statusTimeout = 1;
        return 1;
    }
    s.fastSaleMode = mode == 1;
    s.writeAttempts = 3;
    s.replyAttempts = 20;
    s.statusTimeout = 200;
    return 0;
}

}  // namespace quelfi::mfd
