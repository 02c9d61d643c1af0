// The documents besides the coupon on the Yanco printer: the management report ("240", a line
// each "2A0", "2C"), the bound receipt ("131", a line each "2B0", "160"), the non-fiscal receipt
// and the two cash movements ("29" on totalizers 02 and 03), and the coupon's opening ("130").
#include <cstdint>
#include <cstdio>
#include <string>

#include "adapters/yanco/yanco_forms.h"
#include "adapters/yanco/yanco_parser.h"
#include "adapters/yanco/yanco_text.h"
#include "core/config.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/coupon_opening.h"

namespace quelfi::yanco {

using core::state;

namespace {

constexpr std::string_view kReserved = "             ";  // 13 blanks that end the command
constexpr int kLineWidth = 42;
constexpr int kTextBusyClass = 1;
constexpr std::string_view kWithdrawalTotalizer = "02";
constexpr std::string_view kSupplyTotalizer = "03";
constexpr std::string_view kCashForm = "01";
constexpr std::size_t kAmountDigits = 13;

// Sends the text a line of 42 at a time, each after `lineCommand`; the line breaks (LF) end
// lines, CR is dropped. 1, or the failure with its line logged.
int sendLines(const FormCall& form, std::string text, std::string_view lineCommand,
              std::string_view message) {
    stripAccents(text, /*keepLineBreaks=*/true);
    YancoParser parser(text);
    parser.setWidth(kLineWidth);
    parser.removeAll("\r");
    parser.setSeparator("\n");
    parser.parse();
    while (const auto line = parser.nextLine()) {
        int failure = 0;
        if (!send(form, {std::string(lineCommand) + std::string(*line), true, kTextBusyClass},
                  failure, message))
            return failure;
    }
    return 1;
}

// An amount as the "29" command takes it: thirteen digits with three decimals. Its digits in
// centavos, at most 12 once a leading "00" of a 13- or 14-digit amount is dropped; nothing for an
// amount that does not fit.
std::optional<std::string> centavos(const std::string& amount) {
    std::string digits = fiscal::keepDigits(amount);
    if (digits.size() >= 13) {
        if (digits.compare(0, 2, "00") != 0) return std::nullopt;
        digits.erase(0, 2);
    }
    return digits;
}

std::uint64_t valueOf(const std::string& digits) {
    std::uint64_t value = 0;
    for (char c : digits)
        if (c >= '0' && c <= '9') value = value * 10 + static_cast<std::uint64_t>(c - '0');
    return value;
}

std::string number(std::uint64_t value, int width) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*llu", width, static_cast<unsigned long long>(value));
    return text;
}

int cashMovement(const FormCall& form, std::string_view totalizer, std::string_view refusal,
                 std::uint64_t& cents) {
    const std::optional<std::string> digits = centavos(form.parameter(0));
    if (!digits) return form.call.fail(-2, std::string(refusal) + form.parameter(0));
    cents = valueOf(*digits);
    const std::string command = "29" + std::string(totalizer) + std::string(kCashForm) +
                                number(cents * 10, kAmountDigits) + std::string(kReserved);
    return sendAndFinish(form, {command, true, 0});
}

}  // namespace

int reportTextForm(const FormCall& form) {
    core::PrinterState& s = state();
    int failure = 0;
    if (!s.yancoReportOpen) {
        if (!send(form, {"240" + std::string(kReserved), true, kTextBusyClass}, failure))
            return failure;
        if (s.st2 == 0) s.yancoReportOpen = true;
    }
    const int sent = sendLines(form, form.parameter(0), "2A0", kNoAnswer);
    if (sent != 1) return sent;
    return form.call.finish(s.lastReturnCode);
}

int closeReportForm(const FormCall& form) {
    core::PrinterState& s = state();
    int failure = 0;
    if (!send(form, {"2C", true, 0}, failure)) return failure;
    if (s.st2 == 0) s.yancoReportOpen = false;
    return form.call.finish(s.lastReturnCode);
}

int nonFiscalReceiptForm(const FormCall& form) {
    const std::optional<std::string> digits = centavos(form.parameter(1));
    if (!digits)
        return form.call.fail(
            -2, "Parametro invalido para valor da forma de pagto na yanco: " + form.parameter(1));
    const std::string command =
        "29" + fiscal::zeroFill(form.parameter(0), 2) + std::string(kCashForm) +
        fiscal::zeroFill(*digits + "0", kAmountDigits) + std::string(kReserved);
    return sendAndFinish(form, {command, true, 0});
}

int withdrawalForm(const FormCall& form) {
    std::uint64_t cents = 0;
    return cashMovement(form, kWithdrawalTotalizer,
                        "Parametro invalido para valor da sangria na yanco: ", cents);
}

// The printer keeps no total of the day's supplies: the library adds each accepted one to its
// own in the INI, which the reduction starts again from zero.
int supplyForm(const FormCall& form) {
    core::PrinterState& s = state();
    std::uint64_t cents = 0;
    const int result =
        cashMovement(form, kSupplyTotalizer,
                     "Parametro invalido para valor da forma de pagto na yanco: ", cents);
    if ((result == 1 || result == -27) && s.ack == 6 && s.st2 == 0) {
        std::string total = "0";
        core::readIniValue("CONFIG", "TOTSUPR", total);
        core::writeIniValue("CONFIG", "TOTSUPR", number(valueOf(total) + cents, 14));
    }
    return result;
}

int openBoundReceiptForm(const FormCall& form) {
    return sendAndFinish(form, {"131", true, 0});
}

int boundReceiptTextForm(const FormCall& form) {
    const int sent = sendLines(form, form.parameter(0), "2B0", "Erro de comunicacao");
    if (sent != 1) return sent;
    return form.call.finish(state().lastReturnCode);
}

int closeBoundReceiptForm(const FormCall& form) {
    int failure = 0;
    if (!send(form, {"160" + std::string(168, ' '), true, 0}, failure)) return failure;
    return form.call.failLine(state().lastReturnCode,
                              "Retorno Quelmar_FI_FechaComprovanteNaoFiscalVinculado : " +
                                  std::to_string(state().lastReturnCode));
}

int openCouponForm(const FormCall& form) {
    core::PrinterState& s = state();
    std::string coo, grossSales;
    const int prepared = fiscal::prepareFirstCoupon(form.road, coo, grossSales);
    if (prepared != 1 && prepared != -27) return form.call.finish(prepared);
    int failure = 0;
    if (!send(form, {"130", true, 0}, failure, "Erro de comunicacao ")) return failure;
    if (s.ack != 6 || s.st2 != 0) return form.call.finish(s.lastReturnCode);
    fiscal::recordCoupon(form.road, coo, grossSales);
    s.couponOpen = true;
    return form.call.finish(s.lastReturnCode);
}

}  // namespace quelfi::yanco
