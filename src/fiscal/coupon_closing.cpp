#include "fiscal/coupon_closing.h"

#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "protocol/call.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

using core::state;

namespace {

bool present(const char* text) {
    return text && *text;
}
bool goesOn(int result) {
    return result == 1 || result == -27;
}
constexpr std::size_t kMessageMax = 490;
constexpr char kStartClosing = ' ';
constexpr char kFinishClosing = 0x22;
constexpr char kReversePayment = 'J';
constexpr char kSubtotal = 0x1D;

int sendPlain(const protocol::Call& call, const std::string& body) {
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(body);
    return call.run(spec);
}

}  // namespace

int startClosing(const Road& road, const char* flag, const char* type, const char* value) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_IniciaFechamentoCupom"));
    if (auto handed = call.handedOverToYanco()) return *handed;
    const std::string flagText = upperCase(core::argText(flag));
    if (flagText != "A" && flagText != "D")
        return call.failLine(-2,
                             "Retorno Quelmar_FI_IniciaFechamentoCupom: -2 Parametro invalido para "
                             "o flag de acrescimo/desconto");
    const std::string typeText = core::argText(type);
    if (typeText != "$" && typeText != "%")
        return call.failLine(-2,
                             "Retorno Quelmar_FI_IniciaFechamentoCupom: -2 Parametro invalido para "
                             "o Tipo de acrescimo/desconto");
    const char* const valueMessage =
        "Retorno Quelmar_FI_IniciaFechamentoCupom: -2 Parametro invalido para o valor do "
        "acrescimo/desconto";
    if (!present(value)) return call.failLine(-2, valueMessage);
    const std::string digits = keepDigits(value);
    std::string field;
    if (typeText == "$") {
        if (digits.size() > 14) return call.failLine(-2, valueMessage);
        field = std::string(1, flagText == "A" ? 'a' : 'd') + zeroFill(digits, 14);
    } else {
        if (digits.size() > 4)
            return call.failLine(-2,
                                 "Retorno Quelmar_FI_IniciaFechamentoCupom: -2 - Parametro "
                                 "invalido para o valor do acrescimo/desconto");
        field = flagText + zeroFill(digits, 4);
    }
    call.logRecord(core::argText(flag) + "|" + typeText + "|" + core::argText(value) + "|");
    if (auto forwarded = call.handOver({core::argText(flag), typeText, digits})) return *forwarded;
    return sendPlain(call, kStartClosing + field);
}

int finishClosing(const Road& road, const char* message) {
    core::PrinterState& s = state();
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_TerminaFechamentoCupom"));
    std::string text = core::argText(message);
    if (text.size() > kMessageMax)
        return call.failLine(
            -2, "Retorno Quelmar_FI_TerminaFechamentoCupom: -2 - Parametro invalido para mensagem");
    const std::string printed = protocol::inPrinterCodePage(text);
    if (!text.empty()) call.logParameter(printed);
    if (auto forwarded = call.handOver({text})) return *forwarded;
    protocol::CommandSpec spec;
    spec.command =
        protocol::prefixed(kFinishClosing + (message ? printed + "\r\n" : std::string()));
    int failure = 0;
    if (!call.send(spec, failure)) return failure;
    if (s.ack == 6 && s.st2 == 0) s.couponOpen = false;
    return call.finish(s.lastReturnCode);
}

int reversePayment(const Road& road, const char* from, const char* to, const char* amount) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_EstornoFormasPagamento"),
                              core::Header::Always);
    if (auto refused = call.refusedOnYanco()) return *refused;
    if (!present(from) || std::string(from).size() > 16)
        return call.failLine(-2,
                             "Retorno Quelmar_FI_EstornoFormasPagamento: -2 - Parametro invalido "
                             "para forma de origem");
    if (!present(to) || std::string(to).size() > 16)
        return call.failLine(-2,
                             "Retorno Quelmar_FI_EstornoFormasPagamento: -2 - Parametro invalido "
                             "para forma de destino");
    const std::string digits = keepDigits(core::argText(amount));
    if (!present(amount) || digits.size() > 14)
        return call.failLine(-2,
                             "Retorno Quelmar_FI_EstornoFormasPagamento: -2 - Parametro invalido "
                             "para o valor de estorno");
    call.logRecord(std::string(from) + "|" + to + "|" + amount);
    if (auto forwarded = call.handOver({from, to, digits})) return *forwarded;
    return sendPlain(call, kReversePayment + blankFill(protocol::inPrinterCodePage(from), 16) +
                               blankFill(protocol::inPrinterCodePage(to), 16) +
                               zeroFill(digits, 14));
}

int closeCoupon(const Road& road, const char* form, const char* flag, const char* type,
                const char* value, const char* amountPaid, const char* message) {
    core::PrinterState& s = state();
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_FechaCupom"));
    if (auto handed = call.handedOverToYanco()) return *handed;
    if (!present(form) || std::string(form).size() > 16)
        return call.failLine(
            -2, "Retorno Quelmar_FI_FechaCupom: -2 - Parametro invalido para forma de pagto");
    const std::string flagText = upperCase(core::argText(flag));
    if (flagText != "A" && flagText != "D")
        return call.failLine(-2,
                             "Retorno Quelmar_FI_FechaCupom: -2 - Parametro invalido para o flag "
                             "de acrescimo/desconto");
    const std::string typeText = core::argText(type);
    if (typeText != "$" && typeText != "%")
        return call.failLine(-2,
                             "Retorno Quelmar_FI_FechaCupom: -2 - Parametro invalido para o tipo "
                             "de acrescimo/desconto");
    if (!value || (typeText == "%" && keepDigits(value).size() > 4))
        return call.failLine(-2,
                             "Retorno Quelmar_FI_FechaCupom: -2 - Parametro invalido para o valor "
                             "de acrescimo/desconto");
    if (!amountPaid || keepDigits(amountPaid).size() > 14)
        return call.failLine(
            -2, "Retorno Quelmar_FI_FechaCupom: -2 - Parametro invalido para o valor pago");
    const std::string messageText = core::argText(message);
    if (messageText.size() > kMessageMax)
        return call.failLine(
            -2, "Retorno Quelmar_FI_FechaCupom: -2 - Parametro invalido para a mensagem");
    call.logRecord(std::string(form) + "|" + core::argText(flag) + "|" + typeText + "|" + value +
                   "|" + amountPaid + "|" + messageText);
    if (auto forwarded =
            call.handOver({form, core::argText(flag), typeText, value, amountPaid, messageText}))
        return *forwarded;

    int result = core::nested([&] { return startClosing(road, flag, type, value); });
    if (!goesOn(result)) return result;
    result = core::nested([&] { return pay(road, form, amountPaid); });
    if (!goesOn(result)) return result;
    result = core::nested([&] { return finishClosing(road, message); });
    if (!goesOn(result)) return result;
    if (s.ack == 6 && s.st2 == 0) s.couponOpen = false;
    return call.finish(s.lastReturnCode);
}

int closeCouponInOnePayment(const Road& road, const char* form, const char* message) {
    core::PrinterState& s = state();
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_FechaCupomResumido"));
    if (auto handed = call.handedOverToYanco()) return *handed;
    if (!present(form))
        return call.failLine(-2,
                             "Retorno Quelmar_FI_FechaCupomResumido : -2 - Parametro invalido para "
                             "forma de pagto:  ");
    if (std::string(form).size() > 16)
        return call.failLine(-2, std::string("Retorno Quelmar_FI_FechaCupomResumido: -2 - "
                                             "Parametro invalido para forma de pagto: ") +
                                     form);
    const std::string messageText = core::argText(message);
    if (messageText.size() > kMessageMax)
        return call.failLine(
            -2, "Retorno Quelmar_FI_FechaCupomResumido: -2 - Parametro invalido para mensagem: " +
                    messageText);
    call.logRecord(std::string(form) + "|" + messageText);
    if (auto forwarded = call.handOver({form, messageText})) return *forwarded;

    // A zero discount by value, then the whole subtotal paid in the one form.
    int result = core::nested([&] { return startClosing(road, "D", "$", "0000"); });
    if (!goesOn(result)) return result;
    int failure = 0;
    if (!call.send(protocol::query(protocol::prefixed(std::string(1, kSubtotal)), 1 + 7 + 2, 1),
                   failure))
        return failure;
    const std::string subtotal = s.replyBuffer.substr(0, 14);
    // The form goes on as the caller wrote it: the payment converts it to the printer's letters.
    result = core::nested([&] { return pay(road, form, subtotal.c_str()); });
    if (!goesOn(result)) return result;
    result = core::nested([&] { return finishClosing(road, message); });
    if (!goesOn(result)) return result;
    if (s.ack == 6 && s.st2 == 0) s.couponOpen = false;
    return call.finish(s.lastReturnCode);
}

}  // namespace quelfi::fiscal
