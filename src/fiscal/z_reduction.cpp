// The Z reduction: closes the fiscal day, which the printer writes into its fiscal memory, and
// keeps the day's grand totals in the INI for the reports computed on the PC.
#include <string>
#include <vector>

#include "core/call_log.h"
#include "core/config.h"
#include "core/export_call.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/day_operations.h"
#include "fiscal/queries.h"
#include "fiscal/query_call.h"
#include "fiscal/record_answers.h"
#include "protocol/command_call.h"
#include "protocol/frame.h"
#include "protocol/network_client.h"
#include "protocol/waits.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr const char* kName = "Quelmar_FI_ReducaoZ";
constexpr std::size_t kTimeDigits = 6;
// The grand total the last reduction closed with, in the older last-reduction answer: its second
// field, after two digits and a comma.
constexpr std::size_t kLastGrandTotalAt = 3;
constexpr std::size_t kGrandTotalDigits = 18;

bool goesOn(int result) {
    return result == 1 || result == -27;
}

bool longForms() {
    const int type = state().printerType;
    return type == 1 || type == 2;
}

std::string refusal(const std::string& what) {
    return std::string("Retorno ") + kName + ": -2 - Parametro invalido para " + what;
}

// The grand total the last reduction closed with. Electronic-journal printers also answer the
// longer last-reduction record of their own query (its grand total at characters 316 to 333); that
// query belongs to the electronic-journal functions, and until they are part of the library every
// printer is asked this older record.
int readLastGrandTotal(std::string& total) {
    std::vector<char> answer(member(Query::DadosUltimaReducao).width + 1, '\0');
    const int result =
        askQuietly([&] { return textQuery(Query::DadosUltimaReducao, answer.data()); });
    total = slice(answer.data(), kLastGrandTotalAt, kGrandTotalDigits);
    return result;
}

int readGrandTotal(std::string& total) {
    char answer[kGrandTotalDigits + 1] = {};
    const int result = askQuietly([&] { return textQuery(Query::GrandeTotal, answer); });
    total = answer;
    return result;
}

// Waits until the printer has printed the reduction and written its fiscal memory.
void waitForReduction() {
    core::PrinterState& s = state();
    if (longForms()) {
        core::nested([&] { return protocol::waitLongCommand(s.reductionTimeout); });
    } else {
        protocol::refreshStatus(10 * s.reductionTimeout);
    }
}

}  // namespace

int reductionZ(const char* date, const char* time) {
    core::PrinterState& s = state();
    core::ExportCall call(kName);
    std::string command = protocol::prefixed("\x05");
    std::string dateDigits;
    const std::string timeText = core::argText(time);
    if (date && *date) {
        if (timeText.empty()) return call.failLine(-2, refusal("a hora"));
        dateDigits = keepDigits(date);
        const std::string timeDigits = keepDigits(timeText);
        const auto shortened = shortDate(dateDigits);
        if (!shortened) return call.failLine(-2, refusal("a data"));
        if (timeDigits.size() != kTimeDigits) return call.failLine(-2, refusal("hora"));
        if (!isValidShortDate(*shortened)) return call.failLine(-2, refusal("a data") + *shortened);
        // The clock-setting form always carries ESC.
        command = std::string(1, protocol::kEsc) + "\x05" + *shortened + timeDigits;
        call.logRecord(*shortened + "|" + timeDigits);
    }
    if (auto forwarded =
            protocol::forwardToDriver(call, protocol::requestRecord(71, {dateDigits, timeText})))
        return *forwarded;
    // The Yanco printer's reduction, which keeps the day's data in the INI because that printer
    // cannot report it afterwards, branches off here once the Yanco adapter is in place.

    std::string initialTotal;
    int result = readLastGrandTotal(initialTotal);
    if (!goesOn(result)) return call.finish(result);

    protocol::CommandSpec spec;
    spec.command = command;
    spec.busyClass = 1;
    int failure = 0;
    if (!protocol::send(call, spec, failure)) return failure;
    // A refused reduction closed nothing: the records keep the day they describe.
    if (s.ack != 6 || (s.st2 & 1)) return call.finish(s.lastReturnCode);

    waitForReduction();
    // Both records describe the same day: neither is written when the closing total cannot be
    // read, so the reports never pair one day's opening total with another day's closing one.
    std::string finalTotal;
    result = readGrandTotal(finalTotal);
    if (!goesOn(result)) return call.finish(result);
    core::writeIniValue("RelatorioTipo60", "GTInicial", initialTotal);
    core::writeIniValue("RelatorioTipo60", "GTFinal", finalTotal);
    return call.finish(s.lastReturnCode);
}

int reductionZOldFirmware() {
    core::PrinterState& s = state();
    core::ExportCall call(kName);
    if (s.networkMode == 1) {
        s.lastReturnCode = protocol::writeCommandFile(protocol::requestRecord(237));
        core::logLine("Retorno Quelmar_FI_ReducaoZImpAntiga: ", s.lastReturnCode, "");
        return s.lastReturnCode;
    }
    protocol::CommandSpec spec;
    spec.command = std::string(1, protocol::kEsc) + "\x05";
    spec.busyClass = 1;
    return protocol::runCommand(call, spec);
}

int closeDay() {
    core::ExportCall call("Quelmar_FI_FechamentoDoDia");
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(30)))
        return *forwarded;
    const int result = core::nested([] { return reductionZ("", ""); });
    if (!goesOn(result)) return result;
    return call.finish(state().lastReturnCode);
}

}  // namespace quelfi::fiscal
