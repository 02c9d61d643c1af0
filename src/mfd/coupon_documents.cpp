// The journal printer's coupon: its opening with the consumer's block and the first-coupon
// bookkeeping, its cancellation, the payment form programmed with its TEF flag, the payment in
// instalments, and the surcharge or discount of an item with its cancellation.
#include <cstdio>
#include <cstdlib>

#include "core/call_log.h"
#include "core/config.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/coupon_closing.h"
#include "fiscal/item_sale.h"
#include "fiscal/payment_form_index.h"
#include "fiscal/queries.h"
#include "mfd/document_call.h"
#include "mfd/documents.h"
#include "mfd/item_adjustment.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"

namespace quelfi::mfd {

using core::argText;
using core::state;
using protocol::exportRow;

namespace {

constexpr char kOpenCoupon = 0x00;
constexpr char kCancelCoupon = 0x0E;
constexpr char kPaymentFormIndex = 'G';
constexpr char kInstalmentPayment = 'Z';
constexpr char kItemAdjustment = ']';
constexpr char kCancelItemAdjustment = 'r';
constexpr std::size_t kFormWidth = 16;
constexpr std::size_t kAmountWidth = 14;
constexpr std::size_t kPaymentTextWidth = 80;

bool goesOn(int result) {
    return result == 1 || result == -27;
}

bool present(const char* text) {
    return text && *text;
}

// The COO of the coupon just opened, and of the day's first when the day's gross sales were
// still nothing.
void recordCoupon(const std::string& cooRead, const std::string& grossSales) {
    core::PrinterState& s = state();
    char coo[16];
    std::snprintf(coo, sizeof coo, "%06lu", std::strtoul(cooRead.c_str(), nullptr, 10) + 1);
    if (!s.type60StartRecorded && !grossSales.empty() &&
        std::strtoull(grossSales.c_str(), nullptr, 10) == 0) {
        core::writeIniValue("RelatorioTipo60", "COOInicial", coo);
        s.type60StartRecorded = true;
    }
    core::writeIniValue("RelatorioTipo60", "COOFinal", coo);
}

}  // namespace

int openCoupon(const Road& road, const char* cpf, const char* name, const char* address) {
    core::PrinterState& s = state();
    const DocumentCall call(road, exportRow("Quelmar_FI_AbreCupomMFD"), Lines::Plain,
                            "Erro de comunicacao ");
    const CustomerBlock block = customerBlock(cpf, name, address);
    if (!block.fault.empty()) return call.failLine(-2, block.fault);
    call.logCustomer(cpf, name, address);
    if (auto forwarded = call.handOver({argText(cpf), argText(name), argText(address)}))
        return *forwarded;

    std::string coo, grossSales;
    int read = fiscal::readQuery(road, fiscal::Query::NumeroCupom, coo);
    if (goesOn(read) && !s.type60StartRecorded)
        read = fiscal::readQuery(road, fiscal::Query::VendaBruta, grossSales);
    if (!goesOn(read)) return call.end(read);

    // The opening has a fixed length whatever it carries; what it does not fill is zero bytes.
    protocol::CommandSpec spec = documentCommand(kOpenCoupon, block.fields);
    spec.explicitLength = s.printerType != 0 ? 141 : 31;
    int failure = 0;
    if (!call.sendPlain(spec, failure)) return failure;
    if (s.ack == 6 && s.st2 == 0) {
        recordCoupon(coo, grossSales);
        s.couponOpen = true;
    }
    return call.end(s.lastReturnCode);
}

int cancelCoupon(const Road& road, const char* cpf, const char* name, const char* address) {
    core::PrinterState& s = state();
    const DocumentCall call(road, exportRow("Quelmar_FI_CancelaCupomMFD"));
    if (s.printerType == 0) return core::nested([&] { return fiscal::cancelCoupon(road); });
    const CustomerBlock block = customerBlock(cpf, name, address);
    if (!block.fault.empty()) return call.failLine(-2, block.fault);
    call.logCustomer(cpf, name, address);
    if (auto forwarded = call.handOver({argText(cpf), argText(name), argText(address)}))
        return *forwarded;
    int failure = 0;
    if (!call.sendPlain(documentCommand(kCancelCoupon, block.fields), failure)) return failure;
    // "Ok" only for a cancellation the printer made; a refusal logs its own result.
    if (s.ack == 6 && s.st2 == 0) {
        s.couponOpen = false;
        if (s.lastReturnCode == 1) {
            core::logText("Retorno: 1 - Ok ");
            return 1;
        }
    }
    return call.end(s.lastReturnCode);
}

int programPaymentForm(const Road& road, const char* form, const char* tef) {
    const DocumentCall call(road, exportRow("Quelmar_FI_ProgramaFormaPagamentoMFD"));
    const std::string formText = argText(form);
    if (formText.empty() || formText.size() > kFormWidth)
        return call.refuse("Retorno: -2 - Parametro invalido na forma de pagamento ", form);
    // The older printers take no TEF flag.
    const bool withTef = state().printerType != 0;
    const std::string tefText = withTef ? argText(tef) : "";
    if (withTef && tefText != "0" && tefText != "1")
        return call.refuse("Retorno: -2 - Parametro invalido na operacao TEF ", tef);
    call.logRecord(formText + "|" + tefText);
    if (auto forwarded = call.handOverJoined({formText, tefText})) return *forwarded;
    // The reply carries the form's index, which the caller does not get.
    protocol::CommandSpec spec = protocol::query(
        protocol::prefixed(kPaymentFormIndex +
                           fiscal::blankFill(protocol::inPrinterCodePage(formText), kFormWidth) +
                           tefText),
        1 + 2 + 2, 2);
    return call.run(spec);
}

int payInInstalments(const Road& road, const char* form, const char* amount,
                     const char* instalments, const char* text) {
    const DocumentCall call(road, exportRow("Quelmar_FI_EfetuaFormaPagamentoMFD"));
    if (state().printerType == 0)
        return core::nested([&] { return fiscal::payWithText(road, form, amount, text); });
    const std::string formText = argText(form);
    if (formText.empty() || formText.size() > kFormWidth)
        return call.refuse("Retorno: -2 - Parametro invalido para forma de pagto: ", form);
    if (!present(amount))
        return call.refuse("Retorno: -2 - Parametro invalido para valor da forma de pagto: ",
                           amount);
    const std::string digits = fiscal::keepDigits(amount);
    if (digits.size() > kAmountWidth)
        return call.refuse("Retorno: -2 - Parametro invalido para valor da forma de pagto: ",
                           amount);
    if (!present(instalments) || !validInstalments(instalments))
        return call.refuse("Retorno: -2 - Parametro invalido para o numero de parcelas: ",
                           instalments);
    const bool withText = present(text);
    if (withText && std::string_view(text).size() > kPaymentTextWidth)
        return call.refuse("Retorno: -2 - Parametro invalido para forma de pagto: ", text);
    // The record comes before the parameter line here.
    if (auto forwarded =
            call.handOverJoined({formText, argText(amount), argText(instalments), argText(text)}))
        return *forwarded;
    std::string parameters = formText + "|" + amount + "|" + instalments + "|";
    if (withText) parameters += std::string("|") + text;
    call.logRecord(parameters);

    std::string index;
    const int indexed = fiscal::paymentFormIndex(road, formText, index);
    if (indexed == 0 || indexed == -24) return indexed;
    std::string fields =
        index + fiscal::zeroFill(digits, kAmountWidth) + fiscal::zeroFill(instalments, 2);
    if (withText) fields += fiscal::blankFill(text, kPaymentTextWidth);
    return call.run(documentCommand(kInstalmentPayment, fields));
}

int adjustItem(const Road& road, const char* item, const char* flag, const char* type,
               const char* value) {
    const DocumentCall call(road, exportRow("Quelmar_FI_AcrescimoDescontoItemMFD"));
    const std::string itemText = argText(item);
    if (itemText.empty() || itemText.size() > 3 || std::atoi(itemText.c_str()) < 1)
        return call.refuse("Retorno: -2 Parametro invalido para o item");
    const std::optional<char> letter = adjustmentFlag(flag, "AD");
    if (!letter)
        return call.refuse("Retorno: -2 Parametro invalido para o flag de acrescimo/desconto");
    return sendItemAdjustment(call, kItemAdjustment, itemText, *letter, type, value,
                              {item, flag, type, value});
}

int cancelItemAdjustment(const Road& road, const char* flag, const char* item) {
    const DocumentCall call(road, exportRow("Quelmar_FI_CancelaAcrescimoDescontoItemMFD"));
    if (!adjustmentFlag(flag, "AD")) {
        if (!present(flag)) return call.refuse("Retorno: -2 Parametro invalido para o flag");
        return call.refuse("Retorno: -2 Parametro invalido para o flag: ", flag);
    }
    const std::string itemText = argText(item);
    if (itemText.empty()) return call.refuse("Retorno: -2 Parametro invalido para o item");
    if (itemText.size() > 3 || fiscal::keepDigits(itemText) != itemText)
        return call.refuse("Retorno: -2 Parametro invalido para o item: ", item);
    call.logRecord(joined({flag, item}));
    if (auto forwarded = call.handOverJoined({flag, itemText})) return *forwarded;
    // The flag goes as the caller wrote it.
    return call.run(
        documentCommand(kCancelItemAdjustment, flag[0] + fiscal::zeroFill(itemText, 3)));
}

}  // namespace quelfi::mfd
