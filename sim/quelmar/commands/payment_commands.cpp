// The closing of the coupon: the surcharge or discount on the subtotal that starts it (shared
// with the journal printer's receipt, sale_stages.h), the payment forms (their index,
// programming an unknown one), the payments and their reversal, and the end with the closing
// message.
#include <algorithm>

#include "sim/quelmar/barcode_layout.h"
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/receipt_cycle.h"
#include "sim/quelmar/commands/sale_stages.h"
#include "sim/quelmar/commands/sale_support.h"
#include "sim/quelmar/coupon_layout.h"
#include "sim/quelmar/print_mechanism.h"
#include "sim/quelmar/sale_totals.h"

namespace quelfi::sim {
namespace {

using sale::digits;
using sale::invalidParameter;
using sale::refuse;
using sale::trimmed;
using sale::wrongLength;

constexpr std::size_t kFormName = 16;
constexpr std::size_t kPaymentTextMax = 80;

// Payments are taken once the closing has started.
bool refusedOutsidePayments(CommandContext& c) {
    if (sale::refusedWithoutPaper(c)) return true;
    if (c.model.document == DocumentState::CouponPayment) return false;
    refuse(c.reply);
    return true;
}

// The slot (1 first) of the form with this name, 0 when none has it.
int findForm(const FiscalModel& m, const std::string& name) {
    for (std::size_t i = 0; i < m.paymentForms.size(); ++i)
        if (m.paymentForms[i].name == name) return static_cast<int>(i) + 1;
    return 0;
}

// The form's slot, programming the name into the next free slot when it is new; 0 when the
// table is full.
int findOrProgramForm(FiscalModel& m, const std::string& name) {
    if (const int slot = findForm(m, name)) return slot;
    if (m.paymentForms.size() >= kPaymentFormSlots) return 0;
    m.paymentForms.push_back(PaymentForm{name});
    return static_cast<int>(m.paymentForms.size());
}

// Two ASCII digits of the form's index; 0xFF 0xFF when the form is new and no slot is free. The
// journal printer also takes the TEF flag after the name ('1': the form takes bound receipts),
// which programs the form as it says; a form that has taken payments today keeps its flag.
void paymentFormIndex(CommandContext& c) {
    const std::size_t size = c.command.size();
    if (size != 2 + kFormName && (size != 3 + kFormName || !c.model.electronicJournal))
        return wrongLength(c.reply);
    const std::string name = trimmed(c.command.substr(2, kFormName));
    const char tef = size > 2 + kFormName ? c.command.back() : '\0';
    if (name.empty() || (tef != '\0' && tef != '0' && tef != '1')) {
        c.reply.data = "00";
        return invalidParameter(c.reply);
    }
    const int slot = findOrProgramForm(c.model, name);
    if (slot == 0) {
        c.reply.data = "\xFF\xFF";
        return;
    }
    c.reply.data = {static_cast<char>('0' + slot / 10), static_cast<char>('0' + slot % 10)};
    if (tef == '\0') return;
    PaymentForm& form = c.model.paymentForms[static_cast<std::size_t>(slot - 1)];
    if (form.boundReceipt == (tef == '1')) return;
    if (form.dayTotal != 0) return refuse(c.reply);
    form.boundReceipt = tef == '1';
}

void takePayment(CommandContext& c, int form, std::string_view amountField, std::string text) {
    const auto amount = digits(amountField);
    if (!amount || *amount == 0) return invalidParameter(c.reply);
    SaleCoupon& coupon = c.model.coupon;
    // Paid in full: the coupon waits for its end.
    if (amountPaid(coupon) >= amountDue(coupon)) return refuse(c.reply);
    coupon.payments.push_back({form, *amount, std::move(text)});
    c.paper.printLines(layout::couponPayment(c.model, coupon.payments.back()));
}

// Index (2), amount (14), then an optional free text.
void payByIndex(CommandContext& c) {
    constexpr std::size_t kFixed = 4 + 14;
    if (c.command.size() < kFixed || c.command.size() > kFixed + kPaymentTextMax)
        return wrongLength(c.reply);
    const auto form = digits(c.command.substr(2, 2));
    if (!form || *form < 1 || *form > static_cast<std::int64_t>(c.model.paymentForms.size()))
        return invalidParameter(c.reply);
    if (refusedOutsidePayments(c)) return;
    takePayment(c, static_cast<int>(*form), c.command.substr(4, 14),
                std::string(c.command.substr(kFixed)));
}

// The older form: the name (22, of which 16 are used) and the amount (14).
void payByName(CommandContext& c) {
    const std::string name = trimmed(c.command.substr(2, 22));
    if (name.empty() || name.size() > kFormName) return invalidParameter(c.reply);
    if (refusedOutsidePayments(c)) return;
    const auto amount = digits(c.command.substr(24, 14));
    if (!amount || *amount == 0) return invalidParameter(c.reply);
    // A payment refused programs no form.
    if (amountPaid(c.model.coupon) >= amountDue(c.model.coupon)) return refuse(c.reply);
    const int form = findOrProgramForm(c.model, name);
    if (form == 0) return invalidParameter(c.reply);
    takePayment(c, form, c.command.substr(24, 14), {});
}

// Moves part of what one form took in this coupon to another form.
void reversePayment(CommandContext& c) {
    if (refusedOutsidePayments(c)) return;
    FiscalModel& m = c.model;
    const int from = findForm(m, trimmed(c.command.substr(2, kFormName)));
    const int to = findForm(m, trimmed(c.command.substr(2 + kFormName, kFormName)));
    const auto amount = digits(c.command.substr(2 + 2 * kFormName, 14));
    if (from == 0 || to == 0 || from == to || !amount || *amount == 0)
        return invalidParameter(c.reply);
    auto& payments = m.coupon.payments;
    Money takenByForm = 0;
    for (const auto& payment : payments)
        if (payment.form == from) takenByForm += payment.amount;
    if (takenByForm < *amount) return invalidParameter(c.reply);
    Money left = *amount;
    for (auto it = payments.rbegin(); it != payments.rend() && left > 0; ++it) {
        if (it->form != from) continue;
        const Money moved = std::min(left, it->amount);
        it->amount -= moved;
        left -= moved;
    }
    std::erase_if(payments, [](const SalePayment& p) { return p.amount == 0; });
    payments.push_back({to, *amount, {}});
    c.paper.printLines(layout::paymentReversal(m, from, to, *amount));
}

// Where the print mechanism's sequences begin after a closing message: at the first GS, or the
// ESC of an EAN-13; the end of the text when there are none.
std::size_t mechanismStart(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(text[i]);
        if (byte == codes::mechanism::kGs) return i;
        if (byte == codes::mechanism::kEsc && text.substr(i + 1, 2) == "|0") return i;
    }
    return text.size();
}

// The closing message follows the command byte, ended by CR LF. The journal printer's
// non-fiscal receipt ends by the same command.
void endClosing(CommandContext& c) {
    if (c.model.document == DocumentState::ReceiptPayment) return endReceipt(c);
    if (c.model.document == DocumentState::CreditNote) return endCreditNote(c);
    if (refusedOutsidePayments(c)) return;
    FiscalModel& m = c.model;
    if (amountPaid(m.coupon) < amountDue(m.coupon)) return refuse(c.reply);
    std::string message(c.command.substr(2));
    // The journal printer passes what follows the message to the print mechanism.
    std::vector<std::string> barcodes;
    if (m.electronicJournal) {
        const std::size_t start = mechanismStart(message);
        const auto reading =
            mechanism::read(std::string_view(message).substr(start), m.mechanismLook);
        if (!reading) return invalidParameter(c.reply);
        m.mechanismLook = reading->look;
        barcodes = layout::mechanismLines(*reading);
        message.resize(start);
    }
    if (message.size() >= 2 && message.ends_with("\r\n")) message.resize(message.size() - 2);
    sale::recordPayments(m, m.coupon);
    m.coupon.closed = true;
    m.coupon.pending = {};
    m.document = DocumentState::None;
    m.lastCouponCancellable = true;
    m.lastCouponCoo = m.coupon.coo;  // bound receipts refer to it
    c.paper.printLines(layout::couponEnd(m, m.coupon, message, barcodes));
}

std::string one(std::uint8_t byte) {
    return std::string(1, static_cast<char>(byte));
}

}  // namespace

void registerPaymentCommands(CommandRegistry& registry) {
    registry.add({one(codes::kStartClosing), 0,
                  [](CommandContext& c) { stages::startClosing(c, stages::kCoupon); }});
    registry.add({one(codes::kPaymentFormIndex), 0, paymentFormIndex});
    registry.add({one(codes::kPayment), 0, payByIndex});
    registry.add({one(codes::kPaymentByName), 2 + 22 + 14, payByName});
    registry.add({one(codes::kPaymentReversal), 2 + 2 * kFormName + 14, reversePayment});
    registry.add({one(codes::kEndClosing), 0, endClosing});
}

}  // namespace quelfi::sim
