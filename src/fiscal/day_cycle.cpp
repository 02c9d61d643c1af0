// The day as one call at each end: the opening (X reading and opening cash) and the closing
// (Z reduction), and the closing of an X or Z report that the Yanco adapter carries out.
#include <string>

#include "core/call_log.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/day_operations.h"
#include "fiscal/nonfiscal_documents.h"
#include "protocol/call.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr std::size_t kAmountTextMax = 20;
constexpr std::size_t kAmountDigitsMax = 14;
constexpr std::size_t kFormMax = 16;

bool goesOn(int result) {
    return result == 1 || result == -27;
}

bool hasValue(const std::string& digits) {
    return digits.find_first_not_of('0') != std::string::npos;
}

}  // namespace

int openDay(const Road& road, const char* amount, const char* form) {
    core::PrinterState& s = state();
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_AberturaDoDia"));
    const std::string amountText = core::argText(amount);
    // The driver program checks the amount and the form itself.
    if (auto forwarded =
            call.handOver({amountText, core::argText(form)}, protocol::RecordLine::Parameters))
        return *forwarded;
    const std::string digits = keepDigits(amountText);
    if (amountText.empty() || amountText.size() > kAmountTextMax ||
        digits.size() > kAmountDigitsMax)
        return call.failLine(
            -2, "Retorno Quelmar_FI_AberturaDoDia: -2 - Parametro invalido para valor");
    if (core::argText(form).size() > kFormMax)
        return call.failLine(
            -2, "Retorno Quelmar_FI_Suprimento: -2 - Parametro invalido para forma de pagto");
    int result = core::nested([&] { return readingX(road); });
    if (!goesOn(result)) return result;
    if (hasValue(digits)) {
        result = core::nested([&] { return supplyCash(road, digits.c_str(), form); });
        if (!goesOn(result)) return result;
    }
    return call.finish(s.lastReturnCode);
}

int closeXOrZReport(const Road& road, int (*closing)(const Road&)) {
    core::PrinterState& s = state();
    core::logLine("Quelmar_FI_FechamentoDoDia", 0, " ");
    s.lastReturnCode = core::nested([&] { return closing(road); });
    return s.lastReturnCode;
}

}  // namespace quelfi::fiscal
