// The bound receipt: a free-text document tied to a payment of the last coupon (the card
// voucher), opened for the payment form, filled with text and closed like a management report.
#include "core/call_log.h"
#include "core/export_call.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/document_text.h"
#include "fiscal/nonfiscal_documents.h"
#include "protocol/code_page.h"
#include "protocol/command_call.h"
#include "protocol/frame.h"
#include "protocol/network_client.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr const char* kOpening = "Quelmar_FI_AbreComprovanteNaoFiscalVinculado";
constexpr std::size_t kFormWidth = 16;
constexpr std::size_t kAmountWidth = 14;
constexpr std::size_t kCouponWidth = 6;

constexpr DocumentText kReceiptText{
    "Quelmar_FI_UsaComprovanteNaoFiscalVinculado", 84, 'C',
    "Retorno Quelmar_FI_UsaComprovanteNaoFiscalVinculado: -2 - Parametro invalido para o texto "};

bool goesOn(int result) {
    return result == 1 || result == -27;
}

std::string refusal(const char* what) {
    return std::string("Retorno ") + kOpening + ": -2 - Parametro invalido para " + what;
}

}  // namespace

int openBoundReceipt(const char* form, const char* amount, const char* couponNumber) {
    core::ExportCall call(kOpening, /*alwaysSeparator=*/true);
    const std::string formText = core::argText(form);
    if (formText.empty() || formText.size() > kFormWidth)
        return call.failLine(-2, refusal("forma de pagto"));
    std::string body = "B" + blankFill(protocol::inPrinterCodePage(formText), kFormWidth);
    std::string parameters = formText + "|";
    const std::string amountText = core::argText(amount);
    const std::string number = core::argText(couponNumber);
    if (amountText.empty()) {
        // Bound to the whole payment in that form of the last coupon.
        if (!number.empty()) return call.failLine(-2, refusal("o valor"));
    } else {
        if (number.empty()) return call.failLine(-2, refusal("o numero do cupom"));
        const std::string digits = keepDigits(amountText);
        if (digits.size() > kAmountWidth) return call.failLine(-2, refusal("o valor"));
        if (number.size() > kCouponWidth) return call.failLine(-2, refusal("o numero do cupom"));
        body += zeroFill(digits, kAmountWidth) + zeroFill(number, kCouponWidth);
        parameters += amountText + "|" + number;
    }
    call.logRecord(parameters);
    if (auto forwarded = protocol::forwardToDriver(
            call, protocol::requestRecord(2, {formText, amountText, number})))
        return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(body);
    int failure = 0;
    if (!protocol::send(call, spec, failure, "Erro de execucao")) return failure;
    return call.finish(state().lastReturnCode);
}

int printBoundReceiptText(const char* text) {
    return printDocumentText(kReceiptText, text);
}

int printBoundReceiptTextForTef(const char* text) {
    return printDocumentTextForTef("Quelmar_FI_UsaComprovanteNaoFiscalVinculadoTEF", 200,
                                   printBoundReceiptText, text);
}

int closeBoundReceipt() {
    core::PrinterState& s = state();
    core::ExportCall call("Quelmar_FI_FechaComprovanteNaoFiscalVinculado",
                          /*alwaysSeparator=*/true);
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(27)))
        return *forwarded;
    const int closed = core::nested([] { return closeReport(); });
    if (!goesOn(closed)) return closed;
    core::logLine("Retorno Quelmar_FI_FechaComprovanteNaoFiscalVinculado : ", s.lastReturnCode, "");
    return s.lastReturnCode;
}

}  // namespace quelfi::fiscal
