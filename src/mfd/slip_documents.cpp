// The journal printer's bound receipt with the consumer's block, the authentication with its
// line count and text, and the text printed on the cheque in the slip.
#include <cstdio>
#include <cstdlib>

#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/cheque_documents.h"
#include "fiscal/nonfiscal_documents.h"
#include "mfd/document_call.h"
#include "mfd/documents.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"

namespace quelfi::mfd {

using core::argText;
using core::state;
using protocol::exportRow;

namespace {

constexpr char kOpenBoundReceipt = 'B';
constexpr char kAuthenticate = 0x10;
constexpr char kChequeText = 'x';
constexpr std::size_t kFormWidth = 16;
constexpr std::size_t kAmountWidth = 14;
constexpr std::size_t kCouponWidth = 6;
constexpr std::size_t kAuthenticationWidth = 48;
constexpr std::size_t kChequeTextMax = 240;

// ST3 of a cheque text the printer did not print.
constexpr int kNoCheque = 189;
constexpr int kTooManyLines = 130;
constexpr int kTooManyLinesOlder = 127;

bool present(const char* text) {
    return text && *text;
}

std::string sixDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%6d", value);
    return text;
}

}  // namespace

int openBoundReceipt(const Road& road, const char* form, const char* amount,
                     const char* couponNumber, const char* cpf, const char* name,
                     const char* address) {
    const DocumentCall call(road, exportRow("Quelmar_FI_AbreComprovanteNaoFiscalVinculadoMFD"),
                            Lines::Plain, "Erro de execucao");
    if (state().printerType == 0) {
        return core::nested(
            [&] { return fiscal::openBoundReceipt(road, form, amount, couponNumber); });
    }
    const std::string formText = argText(form);
    if (formText.empty() || formText.size() > kFormWidth)
        return call.refuse("Retorno: -2 - Parametro invalido para forma de pagto");
    std::string fields = fiscal::blankFill(protocol::inPrinterCodePage(formText), kFormWidth);
    const bool withAmount = present(amount);
    CustomerBlock block;
    if (withAmount) {
        const std::string digits = fiscal::keepDigits(amount);
        if (digits.size() > kAmountWidth)
            return call.refuse("Retorno: -2 - Parametro invalido para o valor");
        const std::string number = argText(couponNumber);
        if (number.empty() || number.size() > kCouponWidth)
            return call.refuse("Retorno: -2 - Parametro invalido para o numero do cupom");
        block = customerBlock(cpf, name, address);
        if (!block.fault.empty()) return call.failLine(-2, block.fault);
        fields += fiscal::zeroFill(digits, kAmountWidth) + fiscal::zeroFill(number, kCouponWidth) +
                  block.fields;
    }
    call.logRecord(joined({form, amount, couponNumber, cpf, name, address}));
    if (withAmount) call.logCustomer(cpf, name, address);
    if (auto forwarded = call.handOverJoined({formText, argText(amount), argText(couponNumber),
                                              argText(cpf), argText(name), argText(address)}))
        return *forwarded;
    return call.run(documentCommand(kOpenBoundReceipt, fields));
}

int authenticate(const Road& road, const char* lines, const char* text) {
    core::PrinterState& s = state();
    const DocumentCall call(road, exportRow("Quelmar_FI_AutenticacaoMFD"));
    if (s.printerType == 0 && !s.fastSaleMode)
        return core::nested([&] { return fiscal::authenticate(road); });
    std::string fields;
    if (present(lines) || present(text)) {
        int count = 1;  // a text alone goes on the first line
        if (present(lines)) {
            const std::string linesText = lines;
            count = std::atoi(linesText.c_str());
            if (linesText.size() > 2 || count < 1 || count > 99)
                return call.refuse("Retorno: -2 Parametro invalido para o numero de linhas");
        }
        const std::string textValue = argText(text);
        if (textValue.size() > kAuthenticationWidth)
            return call.refuse("Retorno: -2 Parametro invalido para o texto");
        char number[8];
        std::snprintf(number, sizeof number, "%02d", count);
        fields = number +
                 fiscal::blankFill(protocol::inPrinterCodePage(textValue), kAuthenticationWidth);
    }
    call.logRecord(joined({lines, text}));
    if (auto forwarded = call.handOverJoined({argText(lines), argText(text)})) return *forwarded;
    return call.run(documentCommand(kAuthenticate, fields));
}

int printChequeText(const Road& road, int position, int lines, const char* message) {
    core::PrinterState& s = state();
    const DocumentCall call(road, exportRow("Quelmar_FI_ImprimeInformacaoChequeMFD"), Lines::Named);
    if (position != 0 && position != 1)
        return call.failLine(
            -2, "Retorno : -2 - Parametro invalido para posicao " + sixDigits(position));
    // The count travels as one byte: any other value would print another number of lines.
    if (lines < 0 || lines > 255)
        return call.failLine(-2,
                             "Retorno : -2 - Parametro invalido para linhas " + sixDigits(lines));
    std::string text = argText(message);
    if (text.size() > kChequeTextMax)
        return call.failLine(-2, "Retorno : -2 - Parametro invalido mensagem  Tamanho excedido");
    call.logRecord(std::to_string(position) + "|" + std::to_string(lines) + "|" + text);
    if (auto forwarded =
            call.handOverJoined({std::to_string(position), std::to_string(lines), text}))
        return *forwarded;
    text = protocol::inPrinterCodePage(text);
    if (s.firmwareVersion == "0100") fiscal::blankPercentSigns(text, text.size());
    // Always in the journal's framing: the position byte may be zero, so the length goes along.
    protocol::CommandSpec spec;
    spec.command = std::string{protocol::kFs, kChequeText, static_cast<char>(position),
                               static_cast<char>(lines)} +
                   text;
    spec.explicitLength = static_cast<int>(spec.command.size());
    spec.journal = true;
    int failure = 0;
    if (!call.sendPlain(spec, failure)) return failure;
    if (s.st2 & 1) {
        if (s.st3 == kNoCheque) return call.end(-31);
        if (s.st3 == kTooManyLines || s.st3 == kTooManyLinesOlder) return call.end(-32);
    }
    return call.end(s.lastReturnCode);
}

}  // namespace quelfi::mfd
