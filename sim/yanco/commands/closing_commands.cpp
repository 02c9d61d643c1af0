// The coupon's closing and its cancellation: "1B", "15", "16", "1D", "1E". "16" also ends a
// bound receipt.
#include "sim/yanco/codes.h"
#include "sim/yanco/command_table.h"
#include "sim/yanco/commands/fields.h"
#include "sim/yanco/commands/sale_support.h"
#include "sim/yanco/coupon_layout.h"
#include "sim/yanco/paper_layout.h"

namespace quelfi::sim::yanco {
namespace {

// "16" ends a coupon as "1600" and the message, a bound receipt as "160" and the message.
constexpr std::size_t kMessageWidth = 168;
constexpr std::size_t kEndCouponLength = 4 + kMessageWidth;
constexpr std::size_t kEndBoundReceiptLength = 3 + kMessageWidth;

bool takesPayments(const Model& model) {
    return (model.document == Document::Coupon || model.document == Document::CouponTotalled ||
            model.document == Document::CouponPayment) &&
           model.coupon.total() > 0;
}

// "1B": a value (13, three decimals), a percentage (4, two decimals) and the kind.
void adjustSubtotal(CommandContext& c) {
    const auto request = field::adjustment(c.command, 2, 13, 15, c.command[19]);
    if (!request) return c.refuse(codes::kBadField);
    Coupon& coupon = c.model.coupon;
    if (c.model.document != Document::Coupon || coupon.subtotal() <= 0)
        return c.refuse(codes::kOutOfOrder);
    if (!c.canPrint(Printing::Continues)) return;
    const auto adjustment = adjustmentOf(*request, coupon.subtotal());
    if (!adjustment) return c.refuse(codes::kBadField);
    coupon.adjustment = adjustment;
    postAdjustment(c.model, *adjustment, coupon.issShare(adjustment->amount));
    c.model.document = Document::CouponTotalled;
    c.print(layout::subtotalAdjustment(coupon));
}

// "15": the form (01-30) and the amount (13, three decimals).
void takePayment(CommandContext& c) {
    const auto form = field::number(c.command, 2, 2);
    const auto amount = field::amount(c.command, 4, 13);
    if (!form || *form < 1 || *form > static_cast<int>(kPaymentForms) || !amount || *amount == 0 ||
        layout::trimmed(c.model.paymentForms[static_cast<std::size_t>(*form - 1)].name).empty())
        return c.refuse(codes::kBadField);
    if (!takesPayments(c.model)) return c.refuse(codes::kOutOfOrder);
    if (!c.canPrint(Printing::Continues)) return;
    Coupon& coupon = c.model.coupon;
    coupon.payments.push_back({static_cast<int>(*form), *amount});
    c.model.document =
        coupon.paid() >= coupon.total() ? Document::CouponPaid : Document::CouponPayment;
    c.print(layout::couponPayment(c.model, coupon, coupon.payments.back()));
}

void endCoupon(CommandContext& c) {
    if (c.command.substr(2, 2) != "00") return c.refuse(codes::kBadField);
    if (c.model.document != Document::CouponPaid) return c.refuse(codes::kOutOfOrder);
    if (!c.canPrint(Printing::Continues)) return;
    Coupon& coupon = c.model.coupon;
    coupon.ended = true;
    postCoupon(c.model, coupon, +1);
    c.model.document = Document::None;
    c.model.lastDocumentIsCoupon = true;
    c.print(layout::couponEnd(c.model, coupon, c.command.substr(4)));
}

void endBoundReceipt(CommandContext& c) {
    if (c.command[2] != '0') return c.refuse(codes::kBadField);
    if (c.model.document != Document::BoundReceipt) return c.refuse(codes::kOutOfOrder);
    if (!c.canPrint(Printing::Continues)) return;
    c.model.document = Document::None;
    std::vector<std::string> lines = layout::textLines(c.command.substr(3));
    for (const std::string& line : layout::foot(c.model)) lines.push_back(line);
    c.print(lines);
}

void endDocument(CommandContext& c) {
    if (c.command.size() == kEndCouponLength) return endCoupon(c);
    endBoundReceipt(c);
}

// "1D": the coupon in progress is cancelled on itself, without a document of its own.
void cancelOpenCoupon(CommandContext& c) {
    if (!couponOpen(c.model)) return c.refuse(codes::kCancelRefused);
    if (!c.canPrint(Printing::Continues)) return;
    Coupon& coupon = c.model.coupon;
    coupon.cancelled = true;
    c.model.day.cancellations += coupon.total();
    c.model.counters.cancelledCoupons++;
    c.model.document = Document::None;
    c.print(layout::openCouponCancellation(c.model, coupon));
}

// "1E": the last coupon, ended, is cancelled by a document of its own; its sales and payments
// are taken back from the day.
void cancelLastCoupon(CommandContext& c) {
    if (!lastCouponCancellable(c.model) || reductionDue(c.model))
        return c.refuse(codes::kCancelRefused);
    if (!c.canPrint(Printing::Starts)) return;
    Coupon& coupon = c.model.coupon;
    coupon.cancelled = true;
    postCoupon(c.model, coupon, -1);
    c.model.day.cancellations += coupon.total();
    c.model.counters.cancelledCoupons++;
    c.model.lastDocumentIsCoupon = false;
    c.startDocument("CANCELAMENTO DE CUPOM");
    std::vector<std::string> lines = layout::lastCouponCancellation(coupon);
    for (const std::string& line : layout::foot(c.model)) lines.push_back(line);
    c.print(lines);
}

}  // namespace

void registerClosingCommands(CommandTable& table) {
    table.add({std::string(codes::kSubtotalAdjustment), {20}, adjustSubtotal});
    table.add({std::string(codes::kPayment), {17}, takePayment});
    table.add({std::string(codes::kEndDocument),
               {kEndBoundReceiptLength, kEndCouponLength},
               endDocument});
    table.add({std::string(codes::kCancelOpenCoupon), {2}, cancelOpenCoupon});
    table.add({std::string(codes::kCancelLastCoupon), {2}, cancelLastCoupon});
}

}  // namespace quelfi::sim::yanco
