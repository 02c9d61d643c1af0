// The free-text documents: the management report, opened by its first text, and the bound
// receipt, opened for a payment of the last coupon. One command closes either.
#include "sim/quelmar/barcode_layout.h"
#include "sim/quelmar/code_page.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/day_support.h"
#include "sim/quelmar/commands/journal_support.h"
#include "sim/quelmar/coupon_layout.h"
#include "sim/quelmar/day_layout.h"
#include "sim/quelmar/fiscal_day.h"
#include "sim/quelmar/journal_layout.h"
#include "sim/quelmar/print_mechanism.h"
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

// Text without a report open opens report 01, the one that needs no name.
void reportText(CommandContext& c) {
    FiscalModel& m = c.model;
    if (m.document == DocumentState::None) {
        if (reductionPending(m)) return refuseNow(m, c.reply);
        const int coo = takeCoo(m);
        ++m.counters.gnf;
        ++m.counters.grg;
        ++m.reports[0].count;
        m.document = DocumentState::ManagementReport;
        c.paper.printLines(m.electronicJournal ? layout::reportOpening(m, coo, 1)
                                               : layout::heading(m, coo, "RELATÓRIO GERENCIAL"));
    } else if (m.document != DocumentState::ManagementReport) {
        return refuseNow(m, c.reply);
    }
    printText(c);
}

// "B", the form, and optionally the amount and the coupon's COO: without them the receipt takes
// what is left of the form's payment in the last coupon. The journal printer takes the
// consumer's identification after the COO.
void openBoundReceipt(CommandContext& c) {
    FiscalModel& m = c.model;
    std::string_view fields = c.command.substr(2);
    constexpr std::size_t kFull = kFormWidth + kAmountWidth + kCouponWidth;
    std::optional<Consumer> consumer = Consumer{};
    if (fields.size() > kFull && m.electronicJournal) {
        consumer = mfd::customerBlock(fields.substr(kFull));
        fields = fields.substr(0, kFull);
    }
    if (!consumer || (fields.size() != kFormWidth && fields.size() != kFull))
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
    m.lastBound = LastBoundReceipt{coo, static_cast<int>(*slot) + 1, bound, coo};
    std::vector<std::string> lines = layout::heading(m, coo, "COMPROVANTE NÃO-FISCAL VINCULADO");
    for (auto& line : layout::customer(*consumer)) lines.push_back(std::move(line));
    lines.push_back(layout::spread("COO DO CUPOM FISCAL", layout::counter(m.lastCouponCoo, 6)));
    lines.push_back(layout::spread(printerToUtf8(form.name), layout::money(bound)));
    lines.push_back(layout::rule());
    c.paper.printLines(lines);
}

// The journal printer takes a management report's text by this command too, and passes the text
// of any of its free-text documents through the print mechanism, whose barcode settings stay for
// later commands even when a command carries nothing else and comes outside any document.
void boundReceiptText(CommandContext& c) {
    FiscalModel& m = c.model;
    const DocumentState d = m.document;
    const bool journalText = m.electronicJournal && (d == DocumentState::ManagementReport ||
                                                     d == DocumentState::NonFiscalReceipt);
    const bool takesText = d == DocumentState::BoundReceipt || journalText;
    if (!m.electronicJournal) {
        if (!takesText) return refuseNow(m, c.reply);
        return printText(c);
    }
    const auto reading = mechanism::read(c.command.substr(2), m.mechanismLook);
    if (!reading) {
        c.reply.st2 |= codes::kSt2InvalidParameter;
        return;
    }
    if (!takesText && (reading->hasText || reading->hasBarcode)) return refuseNow(m, c.reply);
    m.mechanismLook = reading->look;
    c.paper.printLines(layout::mechanismLines(*reading));
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
