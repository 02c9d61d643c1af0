// The subtotal of the open coupon.
#include "core/printer_state.h"
#include "fiscal/day_operations.h"
#include "fiscal/query_call.h"
#include "protocol/call.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

namespace {

constexpr char kSubtotal = 0x1D;
constexpr std::size_t kSubtotalDigits = 14;

}  // namespace

int couponSubtotal(const Road& road, char* subtotal) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_SubTotal"));
    const auto deliver = [&](const protocol::Answer& answer) {
        const int delivered = call.deliver(answer.text, subtotal, kSubtotalDigits);
        return delivered == 1 ? call.finish(core::state().lastReturnCode) : delivered;
    };
    if (auto forwarded = call.handOver({[](int&) { return std::optional(protocol::Parameters{}); },
                                        protocol::RecordLine::None,
                                        {},
                                        deliver}))
        return *forwarded;
    int failure = 0;
    // Seven BCD bytes, data before status.
    if (!call.send(protocol::query(protocol::prefixed(std::string(1, kSubtotal)), 1 + 7 + 2, 1),
                   failure))
        return failure;
    return deliver({head(core::state().replyBuffer, kSubtotalDigits), std::nullopt});
}

}  // namespace quelfi::fiscal
