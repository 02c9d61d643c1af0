// The documents besides the coupon: the bound receipt ("131", "2B0"; "16" ends it), the
// management report ("240", "2A0", "2C"), the non-fiscal receipt ("29"), the authentication
// ("30") and the cheque ("36").
#include "sim/setting_values.h"
#include "sim/yanco/cheque_layout.h"
#include "sim/yanco/codes.h"
#include "sim/yanco/command_table.h"
#include "sim/yanco/commands/fields.h"
#include "sim/yanco/layouts.h"
#include "sim/yanco/paper_layout.h"

namespace quelfi::sim::yanco {
namespace {

namespace shared = ::quelfi::yanco;

// "2A0" and "2B0": one line of 42.
constexpr std::size_t kLineLength = 3 + layout::kColumns;

std::string formName(const Model& model, int form) {
    return layout::printable(model.paymentForms[static_cast<std::size_t>(form - 1)].name);
}

void openBoundReceipt(CommandContext& c) {
    if (!boundReceiptAllowed(c.model)) return c.refuse(codes::kOutOfOrder);
    if (!c.canPrint(Printing::Starts)) return;
    c.model.counters.cdc++;
    c.model.counters.gnf++;
    c.startDocument("COMPROVANTE DE CREDITO OU DEBITO");
    std::vector<std::string> lines{
        layout::spread("COO DO CUPOM VINCULADO", layout::digits(c.model.coupon.coo, 6))};
    for (const SalePayment& payment : c.model.coupon.payments)
        lines.push_back(
            layout::spread(formName(c.model, payment.form), layout::amount(payment.amount)));
    lines.push_back(layout::rule());
    c.print(lines);
    c.model.document = Document::BoundReceipt;
}

// A line of the open document; a blank line prints as an empty one.
void printLine(CommandContext& c, Document document) {
    if (c.model.document != document) return c.refuse(codes::kOutOfOrder);
    if (!c.canPrint(Printing::Continues)) return;
    c.print({layout::printable(layout::trimmed(c.command.substr(3)))});
}

void openReport(CommandContext& c) {
    if (!field::blank(c.command, 3, shared::kReservedField)) return c.refuse(codes::kBadField);
    if (!c.idle() || !c.canPrint(Printing::Starts)) return;
    c.model.counters.grg++;
    c.model.counters.gnf++;
    c.model.lastDocumentIsCoupon = false;
    c.startDocument("RELATORIO GERENCIAL");
    c.model.document = Document::Report;
}

// Closing a report that is not open is no error: after a reading there is nothing to close.
void closeReport(CommandContext& c) {
    if (c.model.document == Document::None) return;
    if (c.model.document != Document::Report) return c.refuse(codes::kOutOfOrder);
    if (!c.canPrint(Printing::Continues)) return;
    c.model.document = Document::None;
    c.print(layout::foot(c.model));
}

// "29": the totalizer (01-09), the payment form (01-30), the amount (13, three decimals) and
// the reserved field. A withdrawal counts on its totalizer only; any other amount is also taken
// in on the form.
void nonFiscalReceipt(CommandContext& c) {
    const auto totalizer = field::number(c.command, 2, 2);
    const auto form = field::number(c.command, 4, 2);
    const auto amount = field::amount(c.command, 6, 13);
    const bool known =
        totalizer && *totalizer >= 1 && *totalizer <= static_cast<int>(kNonFiscalTotalizers) &&
        !layout::trimmed(c.model.nonFiscalNames[static_cast<std::size_t>(*totalizer - 1)])
             .empty() &&
        form && *form >= 1 && *form <= static_cast<int>(kPaymentForms) &&
        !layout::trimmed(c.model.paymentForms[static_cast<std::size_t>(*form - 1)].name).empty();
    if (!known || !amount || *amount == 0 || !field::blank(c.command, 19, shared::kReservedField))
        return c.refuse(codes::kBadField);
    if (!c.idle() || !c.canPrint(Printing::Starts)) return;
    const auto slot = static_cast<std::size_t>(*totalizer - 1);
    c.model.day.nonFiscal[slot] += *amount;
    c.model.day.nonFiscalCounts[slot]++;
    if (*totalizer != kWithdrawalTotalizer)
        c.model.paymentForms[static_cast<std::size_t>(*form - 1)].dayTotal += *amount;
    c.model.counters.gnf++;
    c.model.lastDocumentIsCoupon = false;
    c.startDocument("COMPROVANTE NAO FISCAL");
    std::vector<std::string> lines{
        layout::spread(
            layout::digits(*totalizer, 2) + " " + layout::printable(c.model.nonFiscalNames[slot]),
            layout::amount(*amount)),
        layout::spread(formName(c.model, static_cast<int>(*form)), layout::amount(*amount))};
    for (const std::string& line : layout::foot(c.model)) lines.push_back(line);
    c.print(lines);
}

// "30": a text of 80 (blank for the standard one) stamped on the document in the slip station.
void authenticate(CommandContext& c) {
    if (c.model.document != Document::None) return c.refuse(codes::kOutOfOrder);
    if (!c.canPrint(Printing::Continues)) return;
    std::vector<std::string> lines{
        layout::spread("AUT " + setting::formatDateTime(c.model.clock.now()),
                       "COO:" + layout::digits(c.model.counters.coo, 6))};
    for (const std::string& line : layout::textLines(c.command.substr(2))) lines.push_back(line);
    c.print(lines);
}

void printCheque(CommandContext& c) {
    constexpr std::size_t kAmountAt = 2 + 45, kPayeeAt = kAmountAt + 11, kCityAt = kPayeeAt + 70,
                          kDateAt = kCityAt + 20, kSingularAt = kDateAt + 8,
                          kPluralAt = kSingularAt + 15;
    const auto amount = field::number(c.command, kAmountAt, 11);
    const auto date = field::date(c.command, kDateAt, 8);
    if (!amount || *amount == 0 || !date) return c.refuse(codes::kBadField);
    if (!c.canPrint(Printing::Continues)) return;
    layout::Cheque cheque;
    cheque.amount = *amount;
    cheque.payee = layout::trimmed(c.command.substr(kPayeeAt, 70));
    cheque.city = layout::trimmed(c.command.substr(kCityAt, 20));
    cheque.date = *date;
    cheque.singular = layout::trimmed(c.command.substr(kSingularAt, 15));
    cheque.plural = layout::trimmed(c.command.substr(kPluralAt, 17));
    c.print(layout::cheque(cheque));
}

}  // namespace

void registerDocumentCommands(CommandTable& table) {
    table.add({std::string(codes::kOpenBoundReceipt), {3}, openBoundReceipt});
    table.add({std::string(codes::kBoundReceiptLine), {kLineLength}, [](CommandContext& c) {
                   printLine(c, Document::BoundReceipt);
               }});
    table.add({std::string(codes::kOpenReport), {3 + shared::kReservedField}, openReport});
    table.add({std::string(codes::kReportLine), {kLineLength}, [](CommandContext& c) {
                   printLine(c, Document::Report);
               }});
    table.add({std::string(codes::kCloseReport), {2}, closeReport});
    table.add(
        {std::string(codes::kNonFiscalReceipt), {19 + shared::kReservedField}, nonFiscalReceipt});
    table.add({std::string(codes::kAuthenticate), {82}, authenticate});
    table.add({std::string(codes::kPrintCheque), {shared::kChequeLength}, printCheque});
}

}  // namespace quelfi::sim::yanco
