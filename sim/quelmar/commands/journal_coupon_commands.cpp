// The journal printer's coupon: surcharges and discounts on items and on the subtotal and their
// cancellation, the subtotal and the total, payments in instalments, the additional coupon
// printed after the closing, and the cliché printed ahead of the next document.
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/journal_support.h"
#include "sim/quelmar/commands/sale_stages.h"
#include "sim/quelmar/journal_layout.h"

namespace quelfi::sim {
namespace {

// Once, right after the coupon's closing, while nothing else has been issued.
void additionalCoupon(CommandContext& c) {
    if (mfd::unknownHere(c) || sale::refusedWithoutPaper(c)) return;
    FiscalModel& m = c.model;
    SaleCoupon& coupon = m.coupon;
    if (m.document != DocumentState::None || !coupon.closed || coupon.cancelled ||
        coupon.additionalPrinted || coupon.coo != m.counters.coo)
        return sale::refuse(c.reply);
    coupon.additionalPrinted = true;
    c.paper.printLines(layout::additionalCoupon(m, coupon));
}

void printCliche(CommandContext& c) {
    if (mfd::unknownHere(c) || sale::refusedWithoutPaper(c)) return;
    if (c.model.document != DocumentState::None) return sale::refuse(c.reply);
    c.paper.printLines(layout::cliche(c.model));
}

// A handler running one of the shared stages on the coupon.
CommandDefinition couponStage(std::uint8_t byte,
                              void (*stage)(CommandContext&, const stages::Stages&)) {
    return {std::string(1, static_cast<char>(byte)), 0,
            [stage](CommandContext& c) { stage(c, stages::kCoupon); }};
}

std::string one(std::uint8_t byte) {
    return std::string(1, static_cast<char>(byte));
}

}  // namespace

void registerJournalCouponCommands(CommandRegistry& registry) {
    registry.add(couponStage(codes::kItemAdjustment, stages::itemAdjustment));
    registry.add(couponStage(codes::kCancelItemAdjustment, stages::cancelItemAdjustment));
    registry.add(couponStage(codes::kSubtotalize, stages::subtotalize));
    registry.add(couponStage(codes::kSubtotalAdjustment, stages::subtotalAdjustment));
    registry.add(couponStage(codes::kCancelSubtotalAdjustment, stages::cancelSubtotalAdjustment));
    registry.add(couponStage(codes::kTotalize, stages::totalize));
    registry.add({one(codes::kInstalmentPayment), 0, stages::instalmentPayment});
    registry.add({one(codes::kAdditionalCoupon), 2, additionalCoupon});
    registry.add({one(codes::kPrintCliche), 2, printCliche});
}

}  // namespace quelfi::sim
