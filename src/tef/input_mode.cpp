// The TEF input mode: keyboard and mouse blocked while the manager talks to the operator, or, where
// the system cannot block them, the caller's active window disabled and later given back.
#include "core/export_call.h"
#include "core/printer_state.h"
#include "protocol/network_client.h"
#include "tef/transactions.h"

namespace quelfi::tef {

int startInputMode() {
    core::PrinterState& s = core::state();
    core::ExportCall call("Quelmar_FI_IniciaModoTEF");
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(198)))
        return *forwarded;
    if (!s.platform->blockInput(true)) s.tef.disabledWindow = s.platform->disableActiveWindow();
    s.tef.inputMode = true;
    return call.finish(1);
}

int endInputMode() {
    core::PrinterState& s = core::state();
    core::ExportCall call("Quelmar_FI_FinalizaModoTEF");
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(199)))
        return *forwarded;
    if (!s.platform->blockInput(false)) {
        s.platform->enableWindow(s.tef.disabledWindow);
        s.tef.disabledWindow = 0;
    }
    s.tef.inputMode = false;
    return call.finish(1);
}

}  // namespace quelfi::tef
