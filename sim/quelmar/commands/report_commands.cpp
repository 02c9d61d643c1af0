// The free-text documents: the management report, opened by its first text, and the bound
// receipt, opened for a payment of the last coupon. One command closes either.
#include "sim/quelmar/code_page.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/day_support.h"
#include "sim/quelmar/day_layout.h"
#include "sim/quelmar/fiscal_day.h"
#include "sim/quelmar/receipt_layout.h"
#include "sim/quelmar/styled_text.h"

namespace quelfi::sim {
namespace {

constexpr std::size_t kFormWidth = 16;
constexpr std::size_t kAmountWidth = 14;
constexpr std::size_t kCouponWidth = 6;

void printText(CommandContext& c) {
    c.paper.printLines(layout::styledLines(c.command.substr(2)));
}

void reportText(CommandContext& c) {
    FiscalModel& m = c.model;
    if (m.document == DocumentState::None) {
        if (reductionPending(m)) return refuseNow(m, c.reply);
        const int coo = takeCoo(m);
        ++m.counters.gnf;
        ++m.counters.grg;
        m.document = DocumentState::ManagementReport;
        c.paper.printLines(layout::heading(m, coo, "RELATÓRIO GERENCIAL"));
    } else if (m.document != DocumentState::ManagementReport) {
        return refuseNow(m, c.reply);
    }
    printText(c);
}

// "B", the form, and optionally the amount and the coupon's COO: without them the receipt takes
// what is left of the form's payment in the last coupon.
void openBoundReceipt(CommandContext& c) {
    FiscalModel& m = c.model;
    const std::string_view fields = c.command.substr(2);
    if (fields.size() != kFormWidth && fields.size() != kFormWidth + kAmountWidth + kCouponWidth)
        return refuseLength(c.reply);
    const auto slot = paymentFormSlot(m, fieldText(fields.substr(0, kFormWidth)));
    if (!slot) return refuseFields(c.reply);
    std::optional<std::int64_t> amount, coupon;
    if (fields.size() > kFormWidth) {
        amount = wireNumber(fields.substr(kFormWidth, kAmountWidth));
        coupon = wireNumber(fields.substr(kFormWidth + kAmountWidth));
        if (!amount || !coupon || *amount <= 0) return refuseFields(c.reply);
    }
    const PaymentForm& form = m.paymentForms[*slot];
    const Money covered = m.bound.coo == m.lastCouponCoo ? m.bound.covered[*slot] : 0;
    const Money left = form.lastCoupon - covered;
    // Only after a coupon paid in a form that takes bound receipts, within that payment.
    if (m.document != DocumentState::None || !dayTakesMovement(m) || !form.boundReceipt ||
        left <= 0 || (coupon && *coupon != m.lastCouponCoo) || (amount && *amount > left))
        return refuseNow(m, c.reply);

    const Money bound = amount.value_or(left);
    if (m.bound.coo != m.lastCouponCoo) m.bound = BoundReceipts{m.lastCouponCoo, {}};
    m.bound.covered[*slot] += bound;
    const int coo = takeCoo(m);
    ++m.counters.gnf;
    ++m.counters.cdc;
    m.document = DocumentState::BoundReceipt;
    std::vector<std::string> lines = layout::heading(m, coo, "COMPROVANTE NÃO-FISCAL VINCULADO");
    lines.push_back(layout::spread("COO DO CUPOM FISCAL", layout::counter(m.lastCouponCoo, 6)));
    lines.push_back(layout::spread(printerToUtf8(form.name), layout::money(bound)));
    lines.push_back(layout::rule());
    c.paper.printLines(lines);
}

void boundReceiptText(CommandContext& c) {
    if (c.model.document != DocumentState::BoundReceipt) return refuseNow(c.model, c.reply);
    printText(c);
}

void closeDocument(CommandContext& c) {
    FiscalModel& m = c.model;
    if (m.document != DocumentState::ManagementReport && m.document != DocumentState::BoundReceipt)
        return refuseNow(m, c.reply);
    m.document = DocumentState::None;
    c.paper.printLines(layout::foot(m));
}

}  // namespace

void registerReportCommands(CommandRegistry& registry) {
    registry.add({"\x14", 0, reportText});
    registry.add({"B", 0, openBoundReceipt});
    registry.add({"C", 0, boundReceiptText});
    registry.add({"\x15", 2, closeDocument});
}

}  // namespace quelfi::sim
