// The payment exports: by description (the printer gives the form's index), by index, with a
// free text, and by name on old firmware.
#include <cstdlib>
#include <optional>

#include "core/call_log.h"
#include "core/export_call.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/coupon_closing.h"
#include "fiscal/payment_form_index.h"
#include "protocol/code_page.h"
#include "protocol/command_call.h"
#include "protocol/frame.h"
#include "protocol/network_client.h"
#include "protocol/send_command.h"

namespace quelfi::fiscal {

using core::state;

namespace {

bool present(const char* text) {
    return text && *text;
}

// The index of a form, 0 and -24 passed on as they come; `index` is set on success.
int indexOf(const std::string& form, std::string& index, bool cashShortcut) {
    const std::string printed = protocol::inPrinterCodePage(form);
    // Cash is always the first form: its full 16-character name needs no question.
    if (cashShortcut && (printed == "Dinheiro        " || printed == "dinheiro        ")) {
        index = "01";
        return 1;
    }
    return paymentFormIndex(form, index);
}

bool zeroIndex(const std::string& index) {
    return std::atoi(index.c_str()) == 0;
}

int sendPayment(const core::ExportCall& call, const std::string& command,
                std::string_view failureLine = {}) {
    protocol::CommandSpec spec;
    spec.command = command;
    int failure = 0;
    if (!failureLine.empty()) {
        core::PrinterState& s = state();
        s.commandBusy = 0;
        const int sent = protocol::sendCommand(command, 3);
        if (sent == 0) return call.failLine(0, failureLine);
        if (sent != 1) return call.finish(sent);
        return call.finish(s.lastReturnCode);
    }
    if (!protocol::send(call, spec, failure)) return failure;
    return call.finish(state().lastReturnCode);
}

// A payment form given by description: present and at most 16 characters.
bool checkedForm(const core::ExportCall& call, const char* form, int& refusal) {
    if (present(form) && std::string(form).size() <= 16) return true;
    refusal = call.failWith(-2, "Parametro invalido para forma de pagto: ", form);
    return false;
}

// A payment amount as the printer takes it: its digits as a 14-digit number ("%014u").
bool checkedAmount(const core::ExportCall& call, const char* amount, std::string& value,
                   int& refusal) {
    const auto digits = present(amount) ? numericAmount14(keepDigits(amount)) : std::nullopt;
    if (digits) {
        value = *digits;
        return true;
    }
    refusal = call.failWith(-2, "Parametro invalido para valor da forma de pagto: ", amount);
    return false;
}

// The front of a payment by form name: the checks, the parameter line and, in client mode,
// the request record. The result when the call ends there; `value` is the 14-digit amount.
std::optional<int> paymentByName(const core::ExportCall& call, int record, const char* form,
                                 const char* amount, std::string& value) {
    int refusal = 0;
    if (!checkedForm(call, form, refusal) || !checkedAmount(call, amount, value, refusal))
        return refusal;
    const std::string formText = form;
    call.logRecord(formText + "|" + value + "|");
    return protocol::forwardToDriver(call, protocol::requestRecord(record, {formText, value}));
}

}  // namespace

int pay(const char* form, const char* amount) {
    core::ExportCall call("Quelmar_FI_EfetuaFormaPagamento");
    std::string value;
    if (auto ended = paymentByName(call, 23, form, amount, value)) return *ended;
    const std::string formText = form;
    std::string index;
    const int found = indexOf(formText, index, /*cashShortcut=*/true);
    if (found != 1) return found;
    if (zeroIndex(index)) return call.communicationFailure();
    return sendPayment(call, protocol::prefixed("H" + index + value));
}

int payByIndex(const char* index, const char* amount) {
    core::ExportCall call("Quelmar_FI_EfetuaFormaPagamentoIndice");
    if (!present(index))
        return call.failWith(-2, "Parametro invalido para indice forma de pagto: ", index);
    const std::string indexText = index;
    if (indexText.size() > 2)
        return call.failWith(-2, "Parametro invalido para forma de pagto: ", index);
    std::string value;
    int refusal = 0;
    if (!checkedAmount(call, amount, value, refusal)) return refusal;
    call.logRecord(indexText + "|" + value + "|");
    if (auto forwarded =
            protocol::forwardToDriver(call, protocol::requestRecord(23, {indexText, value})))
        return *forwarded;
    return sendPayment(call, protocol::prefixed("H" + zeroFill(indexText, 2) + value));
}

int payWithText(const char* form, const char* amount, const char* text) {
    core::ExportCall call("Quelmar_FI_EfetuaFormaPagamentoDescricaoForma");
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
    if (auto forwarded = protocol::forwardToDriver(
            call, protocol::requestRecord(24, {formText, digits, freeText})))
        return *forwarded;
    std::string index;
    const int found = indexOf(formText, index, /*cashShortcut=*/false);
    if (found != 1) return found;
    const char* const failure = "Retorno Quelmar_FI_EfetuaFormaPagamento: 0 - Erro de comunicacao";
    if (zeroIndex(index)) return call.failLine(0, failure);
    const std::string command = "\x1BH" + index + zeroFill(digits, 14) + freeText;
    core::PrinterState& s = state();
    const int sent = protocol::sendCommand(command, 3);
    if (sent == 0) return call.failLine(0, failure);
    if (sent != 1) return call.finish(sent);
    core::logLine("Retorno Quelmar_FI_EfetuaFormaPagamento: ", s.lastReturnCode, "");
    return s.lastReturnCode;
}

int payOldFirmware(const char* form, const char* amount) {
    core::ExportCall call("Quelmar_FI_EfetuaFormaPagamentoImpAntiga");
    std::string value;
    if (auto ended = paymentByName(call, 194, form, amount, value)) return *ended;
    const std::string formText = form;
    const std::string command =
        "\x1B!" + blankFill(protocol::inPrinterCodePage(formText), 22) + value;
    return sendPayment(call, command,
                       "Retorno Quelmar_FI_EfetuaFormaPagamento: 0 - Erro de comunicacao");
}

}  // namespace quelfi::fiscal
