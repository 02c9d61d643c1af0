// The bound receipt: a free-text document tied to a payment of the last coupon (the card
// voucher), opened for the payment form, filled with text and closed like a management report.
#include "core/call_log.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/document_text.h"
#include "fiscal/nonfiscal_documents.h"
#include "protocol/call.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr const char* kOpening = "Quelmar_FI_AbreComprovanteNaoFiscalVinculado";
constexpr char kOpenBoundReceipt = 'B';
constexpr char kBoundReceiptText = 'C';
constexpr std::size_t kFormWidth = 16;
constexpr std::size_t kAmountWidth = 14;
constexpr std::size_t kCouponWidth = 6;

constexpr DocumentText kReceiptText{
    protocol::exportRow("Quelmar_FI_UsaComprovanteNaoFiscalVinculado"), kBoundReceiptText,
    "Retorno Quelmar_FI_UsaComprovanteNaoFiscalVinculado: -2 - Parametro invalido para o texto "};

bool goesOn(int result) {
    return result == 1 || result == -27;
}

std::string refusal(const char* what) {
    return std::string("Retorno ") + kOpening + ": -2 - Parametro invalido para " + what;
}

}  // namespace

int openBoundReceipt(const Road& road, const char* form, const char* amount,
                     const char* couponNumber) {
    const protocol::Call call(road, protocol::exportRow(kOpening), core::Header::Always);
    const std::string formText = core::argText(form);
    if (formText.empty() || formText.size() > kFormWidth)
        return call.failLine(-2, refusal("forma de pagto"));
    std::string body =
        kOpenBoundReceipt + blankFill(protocol::inPrinterCodePage(formText), kFormWidth);
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
    if (auto forwarded = call.handOver({formText, amountText, number})) return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(body);
    int failure = 0;
    if (!call.send(spec, failure, "Erro de execucao")) return failure;
    return call.finish(state().lastReturnCode);
}

int printBoundReceiptText(const Road& road, const char* text) {
    return printDocumentText(road, kReceiptText, text);
}

int printBoundReceiptTextForTef(const Road& road, const char* text) {
    return printDocumentTextForTef(
        road, protocol::exportRow("Quelmar_FI_UsaComprovanteNaoFiscalVinculadoTEF"),
        printBoundReceiptText, text);
}

int closeBoundReceipt(const Road& road) {
    core::PrinterState& s = state();
    const protocol::Call call(road,
                              protocol::exportRow("Quelmar_FI_FechaComprovanteNaoFiscalVinculado"),
                              core::Header::Always);
    if (auto forwarded = call.handOver()) return *forwarded;
    const int closed = core::nested([&] { return closeReport(road); });
    if (!goesOn(closed)) return closed;
    core::logLine("Retorno Quelmar_FI_FechaComprovanteNaoFiscalVinculado : ", s.lastReturnCode, "");
    return s.lastReturnCode;
}

}  // namespace quelfi::fiscal
