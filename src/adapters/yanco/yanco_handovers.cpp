// The Yanco paths of the Quelmar coupon exports: each brings the caller's arguments to the
// adapter's forms (amounts with the adapter's third decimal, texts cut to its fields), keeps the
// coupon's payments, and hands the call over to the adapter's operation.
#include <cstdint>
#include <string>

#include "adapters/yanco/yanco_sale.h"
#include "adapters/yanco/yanco_sale_fields.h"
#include "core/call_log.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/day_operations.h"
#include "protocol/call.h"

namespace quelfi::yanco {

using core::state;

namespace {

constexpr std::size_t kAmountDigits = 14;
constexpr std::size_t kFormWidth = 15;
constexpr std::size_t kMessageWidth = 168;

std::string text(const char* argument) {
    return core::argText(argument);
}

std::uint64_t valueOf(const std::string& digits) {
    std::uint64_t value = 0;
    for (char c : digits) value = value * 10 + static_cast<std::uint64_t>(c - '0');
    return value;
}

// A payment's 14 digits as the adapter takes them: the two leading ones must be zeros, the other
// twelve and a third decimal.
std::optional<std::string> paymentUnit(const std::string& fourteen) {
    if (fourteen.compare(0, 2, "00") != 0) return std::nullopt;
    return fourteen.substr(2) + "0";
}

// Logs a refusal's line as the export writes it and refuses.
int refused(const std::string& line) {
    core::logText(line);
    return -2;
}

std::string cut(std::string text, std::size_t width) {
    if (text.size() > width) text.resize(width);
    return text;
}

}  // namespace

int startClosingFromQuelmar(const Road& road, const char* flag, const char* type,
                            const char* value) {
    core::PrinterState& s = state();
    const std::string name = "Quelmar_FI_IniciaFechamentoCupom";
    if (text(type) != "$" && text(type) != "%")
        return refused(name + ": -2 Parametro invalido para o Tipo de acrescimo/desconto");
    if (!value) return refused(name + ": -2 Parametro invalido para o valor do acrescimo/desconto");
    const std::string digits = fiscal::keepDigits(value);
    // Nothing to add or take off: the printer totals the coupon with its first payment.
    if (digits.find_first_not_of('0') == std::string::npos) {
        s.ack = 6;
        s.st1 = s.st2 = 0;
        return 1;
    }
    const auto kept = fitAmount(digits, kAmountDigits - 1);
    if (!kept || digits.size() > kAmountDigits)
        return refused(name + ": -2 Parametro invalido para o valor do acrescimo/desconto");
    const std::string field = text(type) == "$" ? *kept + "0" : digits;
    return core::nested([&] { return startClosing(road, flag, type, field.c_str()); });
}

int payFromQuelmar(const Road& road, const char* form, const char* amount) {
    core::PrinterState& s = state();
    const std::string fourteen = fiscal::zeroFill(fiscal::keepDigits(text(amount)), kAmountDigits);
    const auto unit = paymentUnit(fourteen);
    if (!unit)
        return refused(
            "Retorno Quelmar_FI_EfetuaFormaPagamento: -2 - Parametro invalido para valor da "
            "forma de pagto na fun\xE7\xE3o Yanco_FI_EfetuaFormaPagamento: " +
            text(amount));
    const int result = core::nested([&] { return pay(road, form, unit->c_str()); });
    if (s.st2 == 0 && (result == 1 || result == -27)) s.yancoPaymentSum += valueOf(fourteen);
    return result;
}

int finishClosingFromQuelmar(const Road& road, const char* message) {
    core::PrinterState& s = state();
    // The subtotal goes to this step, not to the caller's answer file.
    const bool answerToFile = s.answerToFile;
    s.answerToFile = false;
    char subtotal[16] = {};
    const int read = core::nested([&] { return fiscal::couponSubtotal(road, subtotal); });
    s.answerToFile = answerToFile;
    if (read != 1 && read != -27) return read;
    const bool answered = s.ack == 6 && s.st2 == 0;
    const std::uint64_t due = valueOf(fiscal::keepDigits(subtotal));
    if (s.yancoPaymentSum < due) {
        core::logText("Retorno Quelmar_FI_TerminaFechamentoCupom: -36");
        return -36;
    }
    if (answered) s.yancoPaymentSum = s.yancoSubtotal = 0;
    std::string field = cut(text(message), kMessageWidth);
    field.resize(kMessageWidth, ' ');
    return core::nested([&] { return finishClosing(road, field.c_str()); });
}

int closeCouponFromQuelmar(const Road& road, const char* form, const char* flag, const char* type,
                           const char* value, const char* amountPaid, const char* message) {
    const std::string line = "Retorno Quelmar_FI_FechaCupom: -2 ";
    if (text(form).empty()) return refused(line + "Parametro invalido para o forma de pagamento");
    if (text(type) != "$" && text(type) != "%")
        return refused(
            "Retorno Yanco_FI_FechaCupom: -2 Parametro invalido para o Tipo de "
            "acrescimo/desconto");
    if (!value) return refused(line + "Parametro invalido para o valor do acrescimo/desconto");
    if (!amountPaid) return refused(line + "Parametro invalido para o valor da forma de pagto");

    // The value of a "$" adjustment and the amount paid take the adapter's third decimal.
    const std::string valueDigits = fiscal::keepDigits(value);
    const auto kept = fitAmount(valueDigits, kAmountDigits - 1);
    const std::string paidDigits = fiscal::keepDigits(amountPaid);
    if (!kept || valueDigits.size() > kAmountDigits || paidDigits.size() > kAmountDigits)
        return refused(line +
                       "- Parametro invalido para valor da forma de pagto: " + text(amountPaid));
    const auto paid = paymentUnit(fiscal::zeroFill(paidDigits, kAmountDigits));
    if (!paid)
        return refused(line + "- Parametro invalido para valor da forma de pagto na yanco: " +
                       text(amountPaid));
    const std::string adjustment = text(type) == "$" ? *kept + "0" : valueDigits;
    const std::string formField = cut(text(form), kFormWidth);
    std::string messageField = cut(text(message), kMessageWidth);
    messageField.resize(kMessageWidth, ' ');
    return core::nested([&] {
        return closeCoupon(road, formField.c_str(), flag, type, adjustment.c_str(), paid->c_str(),
                           messageField.c_str());
    });
}

// A closing without a message still takes the printer's message field, blank.
int closeCouponInOnePaymentFromQuelmar(const Road& road, const char* form, const char* message) {
    const std::string formField = cut(text(form), kFormWidth);
    std::string messageField = cut(text(message), kMessageWidth);
    messageField.resize(kMessageWidth, ' ');
    return core::nested(
        [&] { return closeCouponInOnePayment(road, formField.c_str(), messageField.c_str()); });
}

}  // namespace quelfi::yanco
