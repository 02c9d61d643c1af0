// Cancellations in the sale: the last item, any item by its number, and the whole coupon, open or
// just closed.
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/journal_support.h"
#include "sim/quelmar/commands/sale_support.h"
#include "sim/quelmar/coupon_layout.h"
#include "sim/quelmar/day_rules.h"
#include "sim/quelmar/sale_totals.h"

namespace quelfi::sim {
namespace {

using sale::refuse;

// Items are cancelled while items are being sold; once the closing has started, no longer.
bool refusedOutsideItems(CommandContext& c) {
    if (sale::refusedWithoutPaper(c)) return true;
    switch (c.model.document) {
        case DocumentState::Coupon:
            return false;
        case DocumentState::CouponPayment:
            refuse(c.reply, codes::kSt2CancellationNotAllowed);
            break;
        default:
            refuse(c.reply);
            break;
    }
    return true;
}

void cancel(CommandContext& c, SaleItem& item) {
    if (item.cancelled) return refuse(c.reply, codes::kSt2CancellationNotAllowed);
    item.cancelled = true;
    sale::recordItemCancellation(c.model, item);
    c.paper.printLines(layout::itemCancellation(item));
}

void cancelLastItem(CommandContext& c) {
    if (refusedOutsideItems(c)) return;
    auto& items = c.model.coupon.items;
    if (items.empty()) return refuse(c.reply, codes::kSt2CancellationNotAllowed);
    cancel(c, items.back());
}

void cancelItem(CommandContext& c) {
    if (refusedOutsideItems(c)) return;
    auto& items = c.model.coupon.items;
    const auto number = sale::digits(c.command.substr(2, 4));
    if (!number || *number < 1 || *number > static_cast<std::int64_t>(items.size()))
        return sale::invalidParameter(c.reply);
    cancel(c, items[static_cast<std::size_t>(*number - 1)]);
}

// The last coupon may be cancelled after its closing while no other document has followed it.
bool lastCouponCancellable(const FiscalModel& m) {
    return m.document == DocumentState::None && m.lastCouponCancellable && m.coupon.closed &&
           !m.coupon.cancelled && m.coupon.coo == m.counters.coo;
}

// The journal printer takes the consumer's identification after the command byte, printed on
// the cancellation.
void cancelCoupon(CommandContext& c) {
    FiscalModel& m = c.model;
    std::optional<Consumer> consumer = Consumer{};
    if (c.command.size() != 2) {
        if (m.electronicJournal) consumer = mfd::customerBlock(c.command.substr(2));
        if (!m.electronicJournal || !consumer) return sale::wrongLength(c.reply);
    }
    if (sale::refusedWithoutPaper(c)) return;
    if (couponOpen(m)) {
        sale::recordCouponCancellation(m, m.coupon);
        c.paper.printLines(layout::openCouponCancellation(m, m.coupon, *consumer));
    } else if (lastCouponCancellable(m)) {
        // The cancellation of a closed coupon is a document of its own.
        if (auto refusal = newDocumentRefusal(m)) return refuse(c.reply, *refusal);
        const int coo = ++m.counters.coo;
        sale::recordCouponCancellation(m, m.coupon);
        sale::reversePayments(m, m.coupon);
        c.paper.printLines(layout::lastCouponCancellation(m, m.coupon, coo, *consumer));
    } else {
        return refuse(c.reply, codes::kSt2CancellationNotAllowed);
    }
    ++m.counters.cancelledCoupons;
    m.coupon.cancelled = true;
    m.coupon.closed = true;
    m.coupon.pending = {};
    m.document = DocumentState::None;
    m.lastCouponCancellable = false;
}

std::string one(std::uint8_t byte) {
    return std::string(1, static_cast<char>(byte));
}

}  // namespace

void registerCouponCancelCommands(CommandRegistry& registry) {
    registry.add({one(codes::kCancelLastItem), 2, cancelLastItem});
    registry.add({one(codes::kCancelItem), 6, cancelItem});
    registry.add({one(codes::kCancelCoupon), 0, cancelCoupon});
}

}  // namespace quelfi::sim
