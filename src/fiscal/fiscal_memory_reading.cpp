// The fiscal-memory readings: the records of the reductions printed for a range of movement dates
// or of reduction numbers, in full ("I") or in the short form ("i").
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/export_call.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/day_operations.h"
#include "protocol/command_call.h"
#include "protocol/frame.h"
#include "protocol/network_client.h"
#include "protocol/presence.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr std::size_t kReductionNumberMax = 4;

// The reading's command for a range of twelve digits, once the printer has answered.
int printFiscalMemory(const core::ExportCall& call, const std::string& range) {
    core::PrinterState& s = state();
    if (core::nested([] { return protocol::verifyPrinterOn(); }) == -6)
        return call.communicationFailure();
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed("\x08" + range + (s.simplifiedReading ? "i" : "I"));
    spec.busyClass = 2;
    int failure = 0;
    if (!protocol::send(call, spec, failure)) return failure;
    // The printer prints the whole range before it answers the status request.
    protocol::refreshStatus(10 * s.reductionTimeout);
    return call.finish(s.lastReturnCode);
}

}  // namespace

int fiscalMemoryByDate(const char* first, const char* last) {
    core::ExportCall call("Quelmar_FI_LeituraMemoriaFiscalData", /*alwaysSeparator=*/true);
    const std::string firstLine =
        "Retorno " + call.name() + ": -2 - Parametro invalido para data inicial";
    const std::string lastLine =
        "Retorno " + call.name() + ": -2 - Parametro invalido para data final";
    if (!first || !*first) return call.failLine(-2, firstLine);
    if (!last || !*last) return call.failLine(-2, lastLine);
    const std::string firstDigits = keepDigits(first);
    const std::string lastDigits = keepDigits(last);
    const auto from = shortDate(firstDigits);
    if (!from || !isValidShortDate(*from)) return call.failLine(-2, firstLine);
    const auto to = shortDate(lastDigits);
    if (!to || !isValidShortDate(*to)) return call.failLine(-2, lastLine);
    call.logRecord(firstDigits + "|" + lastDigits);
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(41, {*from, *to})))
        return *forwarded;
    return printFiscalMemory(call, *from + *to);
}

int fiscalMemoryByReduction(const char* first, const char* last) {
    core::ExportCall call("Quelmar_FI_LeituraMemoriaFiscalReducao", /*alwaysSeparator=*/true);
    const std::string firstText = core::argText(first);
    const std::string lastText = core::argText(last);
    if (firstText.empty() || firstText.size() > kReductionNumberMax)
        return call.failLine(
            -2, "Retorno " + call.name() + ": -2 - Parametro invalido para reducao inicial");
    if (!last || lastText.size() > kReductionNumberMax)
        return call.failLine(
            -2, "Retorno " + call.name() + ": -2 - Parametro invalido para reducao final");
    call.logRecord(firstText + "|" + lastText);
    if (auto forwarded =
            protocol::forwardToDriver(call, protocol::requestRecord(42, {firstText, lastText})))
        return *forwarded;
    // Reduction numbers travel where the dates would, behind "00", a day no date has.
    char range[32];
    std::snprintf(range, sizeof range, "00%04d00%04d", std::atoi(firstText.c_str()),
                  std::atoi(lastText.c_str()));
    return printFiscalMemory(call, range);
}

}  // namespace quelfi::fiscal
