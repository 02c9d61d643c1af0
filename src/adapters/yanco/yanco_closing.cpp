// The Yanco coupon's closing and cancellation: the subtotal's discount or surcharge ("1B"), the
// payments ("15"), the end with its message ("16"), the one-call closings, and the coupon's
// cancellation ("1D" while open, "1E" once ended).
#include <cctype>
#include <cstdint>
#include <string>

#include "adapters/yanco/yanco_answers.h"
#include "adapters/yanco/yanco_forms.h"
#include "adapters/yanco/yanco_layout.h"
#include "adapters/yanco/yanco_sale.h"
#include "adapters/yanco/yanco_sale_fields.h"
#include "adapters/yanco/yanco_text.h"
#include "core/call_log.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "protocol/call.h"

namespace quelfi::yanco {

using core::state;

namespace {

constexpr std::size_t kFormWidth = 16;
constexpr std::size_t kAmountDigits = 13;
constexpr std::size_t kMessageWidth = 168;
constexpr std::size_t kMessageMax = 169;
constexpr std::string_view kSubtotal = "34072";

std::string text(const char* argument) {
    return core::argText(argument);
}

bool goesOn(int result) {
    return result == 1 || result == -27;
}

bool sameLetters(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// An accepted end or cancellation leaves no coupon, and nothing of its payments.
void couponEnded() {
    core::PrinterState& s = state();
    if (s.ack != 6 || s.st2 != 0) return;
    s.couponOpen = false;
    s.yancoPaymentSum = s.yancoSubtotal = 0;
}

// The message of the end of closing: plain letters on one line, cut to its field.
std::string messageField(std::string message) {
    stripAccents(message, /*keepLineBreaks=*/false);
    message.resize(kMessageWidth, ' ');
    return message;
}

}  // namespace

int paymentFormIndex(const Road& road, const std::string& description, std::string& index) {
    const core::ExportCall call("Yanco_FI_ObtemIndiceFormaPagamento");
    call.logParameter(description);
    index.clear();
    std::string wanted = description;
    stripAccents(wanted, /*keepLineBreaks=*/false);
    wanted.resize(std::max(wanted.size(), layout::kPaymentFormWidth), ' ');
    const int loaded = loadPaymentForms(road);
    if (loaded != 1) return loaded;
    const auto& forms = state().yancoPaymentForms;
    for (std::size_t k = 0; k < forms.size() && index.empty(); ++k)
        if (sameLetters(forms[k], wanted)) index = fiscal::zeroFill(std::to_string(k + 1), 2);
    core::logLine("Indice da forma de pagamento: ", 0, index);
    return call.finish(1);
}

int startClosing(const Road& road, const char* flag, const char* type, const char* value) {
    const protocol::Call call(road, protocol::exportRow("Yanco_FI_IniciaFechamentoCupom"));
    call.logRecord(joinedParameters({text(flag), text(type), text(value)}));
    const std::string prefix = "Retorno " + call.name() + ": -2 ";
    const std::optional<char> code = adjustmentCode(text(flag), text(type));
    if (!code)
        return call.failLine(
            -2, prefix + (adjustmentFlag(text(flag))
                              ? "Parametro invalido para o Tipo de acrescimo/desconto"
                              : "Parametro invalido para o flag de acrescimo/desconto"));
    const std::string given = text(value);
    const std::string digits = fiscal::keepDigits(given);
    std::string field;
    if (text(type) == "$") {
        // A value wider than its field keeps its last 13 digits only when the others are zeros.
        const auto amount = fitAmount(digits, kAmountDigits);
        if (given.empty() || given.size() > 14 || !amount)
            return call.failLine(-2,
                                 prefix + "Parametro invalido para o valor do acrescimo/desconto");
        field = *amount + "0000";
    } else {
        if (given.empty() || given.size() > 5 || digits.size() > 4)
            return call.failLine(
                -2, prefix + "- Parametro invalido para o valor do acrescimo/desconto");
        field = std::string(kAmountDigits, '0') + fiscal::zeroFill(digits, 4);
    }
    if (auto forwarded = call.handOver({text(flag), text(type), given})) return *forwarded;
    return sendAndFinish(road, call, {"1B" + field + *code, true, 0}, "Erro de comunicacao");
}

int pay(const Road& road, const char* form, const char* amount) {
    const protocol::Call call(road, protocol::exportRow("Yanco_FI_EfetuaFormaPagamento"));
    call.logRecord(joinedParameters({text(form), text(amount)}));
    if (text(form).empty() || text(form).size() > kFormWidth)
        return call.failWith(-2, "Parametro invalido para forma de pagto: ", form);
    // Amounts are 13 digits of the printer's unit: more do not fit, and none is wrapped.
    const std::string digits = fiscal::keepDigits(text(amount));
    if (text(amount).empty() || text(amount).size() > 14 || digits.size() > kAmountDigits)
        return call.failWith(-2, "Parametro invalido para valor da forma de pagto: ", amount);
    if (auto forwarded = call.handOver({text(form), text(amount)})) return *forwarded;
    std::string index;
    const int found = core::nested([&] { return paymentFormIndex(road, text(form), index); });
    if (found != 1)
        return call.failLine(found,
                             "Retorno Yanco_FI_EfetuaFormaPagamento: Erro! A funcao "
                             "Yanco_FI_ObtemIndiceFormaPagamento retornou 0");
    if (index.empty()) return call.fail(-24, "Forma de pagamento nao programada");
    return sendAndFinish(road, call,
                         {"15" + index + fiscal::zeroFill(digits, kAmountDigits), true, 0},
                         "Erro de comunicacao");
}

int finishClosing(const Road& road, const char* message) {
    const protocol::Call call(road, protocol::exportRow("Yanco_FI_TerminaFechamentoCupom"));
    call.logParameter(text(message));
    if (text(message).empty() || text(message).size() > kMessageMax)
        return call.fail(-2, "Parametro invalido para a mensagem promocional ");
    if (auto forwarded = call.handOver({text(message)})) return *forwarded;
    int failure = 0;
    if (!send(road, call, {"1600" + messageField(text(message)), true, 0}, failure)) return failure;
    couponEnded();
    return call.finish(state().lastReturnCode);
}

// Pays the coupon's whole subtotal in one form and ends it with the message.
int payAllAndFinish(const protocol::Call& call, const std::string& form,
                    const std::string& message) {
    const Road& road = call.road();
    int failure = 0;
    if (!send(road, call, {std::string(kSubtotal), false, 0}, failure)) return failure;
    // The register counts centavos; the payment takes a third decimal, in the whole.
    const auto subtotal = fitAmount(fiscal::keepDigits(replyData()) + "0", kAmountDigits);
    if (!subtotal) return call.fail(0, kNoAnswer);
    int result = core::nested([&] { return pay(road, form.c_str(), subtotal->c_str()); });
    if (!goesOn(result)) return result;
    result = core::nested([&] { return finishClosing(road, message.c_str()); });
    if (!goesOn(result)) return result;
    couponEnded();
    return call.failLine(state().lastReturnCode, "Retorno Quelmar_FI_FechaCupomResumido: " +
                                                     std::to_string(state().lastReturnCode));
}

int closeCouponInOnePayment(const Road& road, const char* form, const char* message) {
    const protocol::Call call(road, protocol::exportRow("Yanco_FI_FechaCupomResumido"));
    call.logRecord(joinedParameters({text(form), text(message)}));
    if (text(form).empty() || text(form).size() > kFormWidth)
        return call.failWith(-2, "Parametro invalido para forma de pagto: ", form);
    if (text(message).empty() || text(message).size() > kMessageMax)
        return call.failWith(-2, "Parametro invalido para mensagem: ", message);
    if (auto forwarded = call.handOver({text(form), text(message)})) return *forwarded;
    return payAllAndFinish(call, text(form), text(message));
}

int closeCoupon(const Road& road, const char* form, const char* flag, const char* type,
                const char* value, const char* amountPaid, const char* message) {
    const protocol::Call call(road, protocol::exportRow("Yanco_FI_FechaCupom"));
    const protocol::Parameters parameters{text(form),  text(flag),       text(type),
                                          text(value), text(amountPaid), text(message)};
    call.logRecord(joinedParameters(parameters));
    if (auto forwarded = call.handOver(parameters)) return *forwarded;
    int result = core::nested([&] { return startClosing(road, flag, type, value); });
    if (!goesOn(result)) return result;
    result = core::nested([&] { return pay(road, form, amountPaid); });
    if (!goesOn(result)) return result;
    result = core::nested([&] { return finishClosing(road, message); });
    if (!goesOn(result)) return result;
    couponEnded();
    return call.failLine(state().lastReturnCode, "Retorno Quelmar_FI_FechaCupomResumido: " +
                                                     std::to_string(state().lastReturnCode));
}

// An open coupon is cancelled on itself ("1D"); the last one, ended, by a document ("1E").
int cancelCoupon(const Road& road) {
    const protocol::Call call(road, protocol::exportRow("Yanco_FI_CancelaCupom"));
    if (auto forwarded = call.handOver()) return *forwarded;
    int failure = 0;
    if (!send(road, call, {"25", false, 0}, failure, "Erro de comunicacao")) return failure;
    const bool lastCoupon = replyAt(layout::kStateAt, 1) == "1";
    if (!send(road, call, {lastCoupon ? "1E" : "1D", true, 0}, failure, "Erro de comunicacao"))
        return failure;
    couponEnded();
    return call.finish(state().lastReturnCode);
}

}  // namespace quelfi::yanco
