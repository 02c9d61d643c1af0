// Receipts of amounts not subject to ICMS: the non-fiscal receipt on a numbered totalizer, paid in
// a named form, and the cash movements on the fixed totalizers "SA" (withdrawal) and "SU" (supply).
// Each is a whole document in one command.
#include <cstdio>
#include <cstdlib>

#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/nonfiscal_documents.h"
#include "fiscal/payment_form_index.h"
#include "protocol/call.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr char kNonFiscalReceipt = 0x19;
constexpr std::string_view kWithdrawal = "SA";
constexpr std::string_view kSupply = "SU";
constexpr std::size_t kAmountWidth = 14;
constexpr std::size_t kFormWidth = 16;
constexpr int kLastTotalizer = 50;

// An amount argument: present, not empty, at most 14 digits once filtered.
bool validAmount(const std::string& text, std::string& digits) {
    digits = keepDigits(text);
    return !text.empty() && digits.size() <= kAmountWidth;
}

int sendReceipt(const protocol::Call& call, const std::string& body,
                std::string_view communicationMessage = "Erro de comunicacao") {
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(kNonFiscalReceipt + body);
    int failure = 0;
    if (!call.send(spec, failure, communicationMessage)) return failure;
    return call.finish(state().lastReturnCode);
}

}  // namespace

int registerNonFiscalReceipt(const Road& road, const char* index, const char* amount,
                             const char* form) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_RecebimentoNaoFiscal"),
                              core::Header::Always);
    const std::string prefix = "Retorno " + call.name() + ": -2 - Parametro invalido para ";
    const std::string indexText = core::argText(index);
    const int totalizer = std::atoi(indexText.c_str());
    if (indexText.empty() || indexText.size() > 2 || totalizer < 1 || totalizer > kLastTotalizer)
        return call.failLine(-2, prefix + "o indice do totalizador");
    const std::string amountText = core::argText(amount);
    std::string digits;
    if (!validAmount(amountText, digits))
        return call.failLine(-2, prefix + "o valor do recebimento");
    const std::string formText = core::argText(form);
    const std::string formLine = prefix + "a forma de pagto";
    if (formText.size() > kFormWidth) return call.failLine(-2, formLine);
    call.logRecord(indexText + "|" + amountText + "|" + formText);
    if (auto forwarded = call.handOver({indexText, amountText, formText})) return *forwarded;

    // The printer takes the form by name, and learns a name it does not know when asked for its
    // index: a receipt without a form has nothing to be paid in.
    if (formText.empty()) return call.failLine(-2, formLine);
    std::string formIndex;
    const int found = paymentFormIndex(road, formText, formIndex);
    if (found != 1) return found;
    if (std::atoi(formIndex.c_str()) == 0) return call.communicationFailure();
    char number[8];
    std::snprintf(number, sizeof number, "%02d", totalizer);
    return sendReceipt(call, number + zeroFill(digits, kAmountWidth) +
                                 blankFill(protocol::inPrinterCodePage(formText), kFormWidth));
}

int withdrawCash(const Road& road, const char* amount) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_Sangria"),
                              core::Header::Always);
    const std::string amountText = core::argText(amount);
    std::string digits;
    if (!validAmount(amountText, digits))
        return call.failLine(-2, "Retorno Quelmar_FI_Sangria: -2 - Parametro invalido para valor");
    call.logParameter(amountText);
    if (auto forwarded = call.handOver({amountText})) return *forwarded;
    return sendReceipt(call, std::string(kWithdrawal) + zeroFill(digits, kAmountWidth),
                       "Erro de comunica\xE7\xE3o");
}

int supplyCash(const Road& road, const char* amount, const char* form) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_Suprimento"));
    const std::string amountText = core::argText(amount);
    std::string digits;
    if (!validAmount(amountText, digits))
        return call.failLine(-2,
                             "Retorno Quelmar_FI_Suprimento: -2 - Parametro invalido para valor");
    const std::string formText = core::argText(form);
    if (formText.size() > kFormWidth)
        return call.failLine(
            -2, "Retorno Quelmar_FI_Suprimento: -2 - Parametro invalido para forma de pagto");
    call.logParameter(amountText + "|" + formText + "|");
    if (auto forwarded = call.handOver({amountText, formText})) return *forwarded;
    // The Yanco printer keeps no supply total: its adapter adds each accepted supply to a running
    // total in the INI, on its own road, once it is in place.
    std::string body = std::string(kSupply) + zeroFill(digits, kAmountWidth);
    if (!formText.empty()) body += blankFill(protocol::inPrinterCodePage(formText), kFormWidth);
    return sendReceipt(call, body);
}

}  // namespace quelfi::fiscal
