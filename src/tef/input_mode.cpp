// The TEF input mode: keyboard and mouse blocked while the manager talks to the operator, or, where
// the system cannot block them, the caller's active window disabled and later given back.
#include "core/printer_state.h"
#include "protocol/call.h"
#include "tef/transactions.h"

namespace quelfi::tef {

int startInputMode(const Road& road) {
    core::PrinterState& s = core::state();
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_IniciaModoTEF"));
    if (auto forwarded = call.handOver()) return *forwarded;
    if (!s.platform->blockInput(true)) s.tef.disabledWindow = s.platform->disableActiveWindow();
    s.tef.inputMode = true;
    return call.finish(1);
}

int endInputMode(const Road& road) {
    core::PrinterState& s = core::state();
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_FinalizaModoTEF"));
    if (auto forwarded = call.handOver()) return *forwarded;
    if (!s.platform->blockInput(false)) {
        s.platform->enableWindow(s.tef.disabledWindow);
        s.tef.disabledWindow = 0;
    }
    s.tef.inputMode = false;
    return call.finish(1);
}

}  // namespace quelfi::tef
