// The Z reduction: closes the fiscal day, which the printer writes into its fiscal memory, and
// keeps the day's grand totals in the INI for the reports computed on the PC.
#include <string>
#include <vector>

#include "core/call_log.h"
#include "core/config.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/day_operations.h"
#include "fiscal/queries.h"
#include "fiscal/record_answers.h"
#include "protocol/call.h"
#include "protocol/frame.h"
#include "protocol/waits.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr const char* kName = "Quelmar_FI_ReducaoZ";
constexpr char kReductionZ = 0x05;
constexpr std::size_t kTimeDigits = 6;
// The grand total the last reduction closed with, in the older last-reduction answer: its second
// field, after two digits and a comma.
constexpr std::size_t kLastGrandTotalAt = 3;
// In the journal record: its sixteenth field, after 300 digits and 15 commas.
constexpr std::size_t kJournalGrandTotalAt = 315;
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

// The grand total the last reduction closed with: in the older last-reduction record, or, on
// printers of type 1 and 2, in the electronic journal's longer one (characters 316 to 333).
int readLastGrandTotal(const Road& road, JournalReductionRecord journalRecord, std::string& total) {
    std::string answer;
    if (longForms()) {
        const int result = journalRecord(road, answer);
        total = slice(answer, kJournalGrandTotalAt, kGrandTotalDigits);
        return result;
    }
    const int result = readQuery(road, Query::DadosUltimaReducao, answer);
    total = slice(answer, kLastGrandTotalAt, kGrandTotalDigits);
    return result;
}

// Waits until the printer has printed the reduction and written its fiscal memory.
void waitForReduction(const Road& road) {
    core::PrinterState& s = state();
    if (longForms()) {
        core::nested([&] { return protocol::waitLongCommand(road, s.reductionTimeout); });
    } else {
        protocol::refreshStatus(road, 10 * s.reductionTimeout);
    }
}

}  // namespace

int reductionZ(const Road& road, const char* date, const char* time,
               JournalReductionRecord journalRecord) {
    core::PrinterState& s = state();
    const protocol::Call call(road, protocol::exportRow(kName));
    std::string command = protocol::prefixed(std::string(1, kReductionZ));
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
        command = std::string{protocol::kEsc, kReductionZ} + *shortened + timeDigits;
        call.logRecord(*shortened + "|" + timeDigits);
    }
    if (auto forwarded = call.handOver({dateDigits, timeText})) return *forwarded;
    // The Yanco printer's reduction, which keeps the day's data in the INI because that printer
    // cannot report it afterwards, branches off here once the Yanco adapter is in place.

    std::string initialTotal;
    int result = readLastGrandTotal(road, journalRecord, initialTotal);
    if (!goesOn(result)) return call.finish(result);

    protocol::CommandSpec spec;
    spec.command = command;
    spec.busyClass = 1;
    int failure = 0;
    if (!call.send(spec, failure)) return failure;
    // A refused reduction closed nothing: the records keep the day they describe.
    if (s.ack != 6 || (s.st2 & 1)) return call.finish(s.lastReturnCode);

    waitForReduction(road);
    // Both records describe the same day: neither is written when the closing total cannot be
    // read, so the reports never pair one day's opening total with another day's closing one.
    std::string finalTotal;
    result = readQuery(road, Query::GrandeTotal, finalTotal);
    if (!goesOn(result)) return call.finish(result);
    core::writeIniValue("RelatorioTipo60", "GTInicial", initialTotal);
    core::writeIniValue("RelatorioTipo60", "GTFinal", finalTotal);
    return call.finish(s.lastReturnCode);
}

// Its lines carry the plain reduction's name, but for the client's closing line, which names the
// export the record stands for.
int reductionZOldFirmware(const Road& road) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_ReducaoZImpAntiga"), kName);
    if (auto forwarded = call.handOver()) return *forwarded;
    protocol::CommandSpec spec;
    spec.command = std::string{protocol::kEsc, kReductionZ};
    spec.busyClass = 1;
    return call.run(spec);
}

int closeDay(const Road& road, JournalReductionRecord journalRecord) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_FechamentoDoDia"));
    if (auto forwarded = call.handOver()) return *forwarded;
    const int result = core::nested([&] { return reductionZ(road, "", "", journalRecord); });
    if (!goesOn(result)) return result;
    return call.finish(state().lastReturnCode);
}

}  // namespace quelfi::fiscal
