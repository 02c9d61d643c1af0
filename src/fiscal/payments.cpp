// The payment exports: by description (the printer gives the form's index), by index, with a
// free text, and by name on old firmware.
#include <cstdlib>
#include <optional>

#include "core/call_log.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/coupon_closing.h"
#include "fiscal/payment_form_index.h"
#include "protocol/call.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"
#include "protocol/send_command.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr char kPayment = 'H';
constexpr char kPaymentOldFirmware = '!';

bool present(const char* text) {
    return text && *text;
}

// The index of a form, 0 and -24 passed on as they come; `index` is set on success.
int indexOf(const Road& road, const std::string& form, std::string& index, bool cashShortcut) {
    const std::string printed = protocol::inPrinterCodePage(form);
    // Cash is always the first form: its full 16-character name needs no question.
    if (cashShortcut && (printed == "Dinheiro        " || printed == "dinheiro        ")) {
        index = "01";
        return 1;
    }
    return paymentFormIndex(road, form, index);
}

bool zeroIndex(const std::string& index) {
    return std::atoi(index.c_str()) == 0;
}

int sendPayment(const protocol::Call& call, const std::string& command,
                std::string_view failureLine = {}) {
    protocol::CommandSpec spec;
    spec.command = command;
    int failure = 0;
    if (!failureLine.empty()) {
        const int sent = protocol::sendCommand(call.road(), spec);
        if (sent == 0) return call.failLine(0, failureLine);
        if (sent != 1) return call.finish(sent);
        return call.finish(state().lastReturnCode);
    }
    if (!call.send(spec, failure)) return failure;
    return call.finish(state().lastReturnCode);
}

// A payment form given by description: present and at most 16 characters.
bool checkedForm(const protocol::Call& call, const char* form, int& refusal) {
    if (present(form) && std::string(form).size() <= 16) return true;
    refusal = call.failWith(-2, "Parametro invalido para forma de pagto: ", form);
    return false;
}

// A payment amount as the printer takes it: its digits as a 14-digit number ("%014u").
bool checkedAmount(const protocol::Call& call, const char* amount, std::string& value,
                   int& refusal) {
    const auto digits = present(amount) ? numericAmount14(keepDigits(amount)) : std::nullopt;
    if (digits) {
        value = *digits;
        return true;
    }
    refusal = call.failWith(-2, "Parametro invalido para valor da forma de pagto: ", amount);
    return false;
}

// The front of a payment by form name: the checks, the parameter line and the network step.
// The result when the call ends there; `value` is the 14-digit amount.
std::optional<int> paymentByName(const protocol::Call& call, const char* form, const char* amount,
                                 std::string& value) {
    int refusal = 0;
    if (!checkedForm(call, form, refusal) || !checkedAmount(call, amount, value, refusal))
        return refusal;
    if (auto handed = call.handedOverToYanco()) return handed;
    const std::string formText = form;
    call.logRecord(formText + "|" + value + "|");
    return call.handOver({formText, value});
}

}  // namespace

int pay(const Road& road, const char* form, const char* amount) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_EfetuaFormaPagamento"));
    std::string value;
    if (auto ended = paymentByName(call, form, amount, value)) return *ended;
    const std::string formText = form;
    std::string index;
    const int found = indexOf(road, formText, index, /*cashShortcut=*/true);
    if (found != 1) return found;
    if (zeroIndex(index)) return call.communicationFailure();
    return sendPayment(call, protocol::prefixed(kPayment + index + value));
}

int payByIndex(const Road& road, const char* index, const char* amount) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_EfetuaFormaPagamentoIndice"));
    if (!present(index))
        return call.failWith(-2, "Parametro invalido para indice forma de pagto: ", index);
    const std::string indexText = index;
    if (indexText.size() > 2)
        return call.failWith(-2, "Parametro invalido para forma de pagto: ", index);
    std::string value;
    int refusal = 0;
    if (!checkedAmount(call, amount, value, refusal)) return refusal;
    call.logRecord(indexText + "|" + value + "|");
    if (auto forwarded = call.handOver({indexText, value})) return *forwarded;
    return sendPayment(call, protocol::prefixed(kPayment + zeroFill(indexText, 2) + value));
}

int payWithText(const Road& road, const char* form, const char* amount, const char* text) {
    const protocol::Call call(road,
                              protocol::exportRow("Quelmar_FI_EfetuaFormaPagamentoDescricaoForma"));
    if (auto refused = call.refusedOnYanco()) return *refused;
    const char* const formMessage =
        "Retorno Quelmar_FI_EfetuaFormaPagamento: -2 - Parametro invalido para forma de pagto: ";
    const std::string formText = core::argText(form);
    if (!present(form) || formText.size() > 16) return call.failLine(-2, formMessage + formText);
    const std::string digits = keepDigits(core::argText(amount));
    if (!present(amount) || digits.size() > 14)
        return call.failLine(-2,
                             "Retorno Quelmar_FI_EfetuaFormaPagamento: -2 - Parametro invalido "
                             "para valor da forma de pagto: " +
                                 core::argText(amount));
    const std::string freeText = core::argText(text);
    if (freeText.size() > 80) return call.failLine(-2, formMessage + formText);
    call.logRecord(formText + "|" + core::argText(amount) +
                   (text ? "|" + freeText : std::string()));
    if (auto forwarded = call.handOver({formText, digits, freeText})) return *forwarded;
    std::string index;
    const int found = indexOf(road, formText, index, /*cashShortcut=*/false);
    if (found != 1) return found;
    const char* const failure = "Retorno Quelmar_FI_EfetuaFormaPagamento: 0 - Erro de comunicacao";
    if (zeroIndex(index)) return call.failLine(0, failure);
    // Sent with ESC whatever the printer's prefix.
    protocol::CommandSpec spec;
    spec.command = std::string{protocol::kEsc, kPayment} + index + zeroFill(digits, 14) + freeText;
    core::PrinterState& s = state();
    const int sent = protocol::sendCommand(road, spec);
    if (sent == 0) return call.failLine(0, failure);
    if (sent != 1) return call.finish(sent);
    core::logLine("Retorno Quelmar_FI_EfetuaFormaPagamento: ", s.lastReturnCode, "");
    return s.lastReturnCode;
}

int payOldFirmware(const Road& road, const char* form, const char* amount) {
    const protocol::Call call(road,
                              protocol::exportRow("Quelmar_FI_EfetuaFormaPagamentoImpAntiga"));
    std::string value;
    if (auto ended = paymentByName(call, form, amount, value)) return *ended;
    const std::string formText = form;
    const std::string command = std::string{protocol::kEsc, kPaymentOldFirmware} +
                                blankFill(protocol::inPrinterCodePage(formText), 22) + value;
    return sendPayment(call, command,
                       "Retorno Quelmar_FI_EfetuaFormaPagamento: 0 - Erro de comunicacao");
}

}  // namespace quelfi::fiscal
