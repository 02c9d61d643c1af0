// The fiscal-memory readings: the records of the reductions printed for a range of movement dates
// or of reduction numbers, in full ("I") or in the short form ("i"), or streamed into Retorno.txt
// ("R", "r"); and the X reading streamed there ("E").
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/day_operations.h"
#include "platform/platform.h"
#include "protocol/call.h"
#include "protocol/frame.h"
#include "protocol/presence.h"
#include "protocol/reply_reader.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr char kFiscalMemoryReading = 0x08;
constexpr char kStreamedReadingX = 'E';
constexpr char kFullReading = 'I';
constexpr char kShortReading = 'i';
// The same readings streamed into Retorno.txt instead of printed.
constexpr char kFullReadingToFile = 'R';
constexpr char kShortReadingToFile = 'r';
constexpr std::size_t kReductionNumberMax = 4;

// Sends a reading the printer streams back, its text to Retorno.txt, which holds it alone.
int streamReading(const protocol::Call& call, const protocol::CommandSpec& spec) {
    const std::string& answerFile = state().answerFilePath;
    platform::removeFile(answerFile);
    int failure = 0;
    if (!call.send(spec, failure)) return failure;
    const int read = protocol::readStreamReply(call.road(), spec, answerFile);
    if (read == 0) return call.communicationFailure();
    if (read == -8) return call.fail(-8, "Erro ao escrever no arquivo retorno.txt");
    return call.finish(read);
}

// The reading's command for a range of twelve digits, once the printer has answered.
int printFiscalMemory(const protocol::Call& call, const std::string& range, bool toFile) {
    core::PrinterState& s = state();
    if (core::nested([&] { return protocol::verifyPrinterOn(call.road()); }) == -6)
        return call.communicationFailure();
    protocol::CommandSpec spec;
    if (toFile) {
        spec.command =
            protocol::prefixed(kFiscalMemoryReading + range +
                               (s.simplifiedReading ? kShortReadingToFile : kFullReadingToFile));
        return streamReading(call, spec);
    }
    spec.command = protocol::prefixed(kFiscalMemoryReading + range +
                                      (s.simplifiedReading ? kShortReading : kFullReading));
    spec.busyClass = 2;
    // The printer prints the whole range before it answers the status request.
    spec.refreshStatus = 10 * s.reductionTimeout;
    return call.run(spec);
}

}  // namespace

int readingXToFile(const Road& road) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_LeituraXSerial"));
    if (auto refused = call.refusedOnYanco()) return *refused;
    if (auto forwarded = call.handOver()) return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(std::string(1, kStreamedReadingX));
    spec.busyClass = 2;
    return streamReading(call, spec);
}

int fiscalMemoryByDate(const Road& road, const char* first, const char* last, bool toFile) {
    const protocol::Call call(road,
                              toFile
                                  ? protocol::exportRow("Quelmar_FI_LeituraMemoriaFiscalSerialData")
                                  : protocol::exportRow("Quelmar_FI_LeituraMemoriaFiscalData"),
                              core::Header::Always);
    if (auto refused = call.refusedOnYanco()) return *refused;
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
    if (auto forwarded = call.handOver({*from, *to})) return *forwarded;
    return printFiscalMemory(call, *from + *to, toFile);
}

int fiscalMemoryByReduction(const Road& road, const char* first, const char* last, bool toFile) {
    const protocol::Call call(
        road,
        toFile ? protocol::exportRow("Quelmar_FI_LeituraMemoriaFiscalSerialReducao")
               : protocol::exportRow("Quelmar_FI_LeituraMemoriaFiscalReducao"),
        core::Header::Always);
    if (auto refused = call.refusedOnYanco()) return *refused;
    const std::string firstText = core::argText(first);
    const std::string lastText = core::argText(last);
    if (firstText.empty() || firstText.size() > kReductionNumberMax)
        return call.failLine(
            -2, "Retorno " + call.name() + ": -2 - Parametro invalido para reducao inicial");
    if (!last || lastText.size() > kReductionNumberMax)
        return call.failLine(
            -2, "Retorno " + call.name() + ": -2 - Parametro invalido para reducao final");
    call.logRecord(firstText + "|" + lastText);
    if (auto forwarded = call.handOver({firstText, lastText})) return *forwarded;
    // Reduction numbers travel where the dates would, behind "00", a day no date has.
    char range[32];
    std::snprintf(range, sizeof range, "00%04d00%04d", std::atoi(firstText.c_str()),
                  std::atoi(lastText.c_str()));
    return printFiscalMemory(call, range, toFile);
}

}  // namespace quelfi::fiscal
