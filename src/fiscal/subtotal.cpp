// The subtotal of the open coupon.
#include "core/export_call.h"
#include "core/printer_state.h"
#include "fiscal/day_operations.h"
#include "fiscal/query_call.h"
#include "protocol/command_call.h"
#include "protocol/frame.h"
#include "protocol/network_client.h"

namespace quelfi::fiscal {

namespace {

constexpr std::size_t kSubtotalDigits = 14;

}  // namespace

int couponSubtotal(char* subtotal) {
    core::ExportCall call("Quelmar_FI_SubTotal");
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(80)))
        return *forwarded;
    int failure = 0;
    // Seven BCD bytes, data before status.
    if (!protocol::send(call, protocol::query(protocol::prefixed("\x1D"), 1 + 7 + 2, 1), failure))
        return failure;
    const int delivered =
        call.deliver(head(core::state().replyBuffer, kSubtotalDigits), subtotal, kSubtotalDigits);
    if (delivered != 1) return delivered;
    return call.finish(core::state().lastReturnCode);
}

}  // namespace quelfi::fiscal
