#include "mfd/journal_controls.h"

#include <cctype>
#include <cstdio>
#include <string>

#include "core/call_log.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "fiscal/day_operations.h"
#include "mfd/document_call.h"

namespace quelfi::mfd {

using core::state;

namespace {

// Selectors after the extended command '>'.
constexpr char kExtended = '>';
constexpr char kOnOffLine = '9';
constexpr char kCutNext = ':';
constexpr char kLeftAlignment = ';';
constexpr char kOneLineSale = '<';
// The printer takes the one-line sale switch only after this code.
constexpr const char* kOneLineAccessCode = "kqzt7391";

// ST1 "nonexistent command" and ST2 "command not executed", which the journal printers report
// together for a command they reject after a long one: not conditions of their own.
constexpr int kSt1Echo = 4;
constexpr int kSt2Echo = 1;

}  // namespace

int setExtendedReturn(const Road& road, const char* flag) {
    const DocumentCall call(
        road, protocol::exportRow("Quelmar_FI_HabilitaDesabilitaRetornoEstendidoMFD"));
    const std::string text = core::argText(flag);
    if (text != "0" && text != "1")
        return call.failLine(-2, "Retorno: -2 - Parametro invalido para o flag de retorno");
    state().mfdPrinter = text == "1";
    core::logTwo("Par\xE2metro: ", text);
    if (auto forwarded = call.handOverJoined({text})) return *forwarded;
    core::logText("Retorno: 1 - Ok");
    return 1;
}

int printerReturn(const Road& road, short* ack, short* st1, short* st2, short* st3) {
    const DocumentCall call(road, protocol::exportRow("Quelmar_FI_RetornoImpressoraMFD"));
    if (auto forwarded = call.handOver()) return *forwarded;
    core::PrinterState& s = state();
    // Only the pair together is the echo; either bit alone is a real condition.
    if (s.printerType != 0 && !s.statusErroMode && (s.st1 & kSt1Echo) && (s.st2 & kSt2Echo)) {
        s.st1 -= kSt1Echo;
        s.st2 -= kSt2Echo;
    }
    for (auto [out, value] : {std::pair{ack, s.ack}, std::pair{st1, s.st1}, std::pair{st2, s.st2},
                              std::pair{st3, s.st3}})
        if (out) *out = static_cast<short>(value);
    char text[64];
    if (s.mfdPrinter)
        std::snprintf(text, sizeof text, "%d,%d,%d,%d", s.ack, s.st1, s.st2, s.st3);
    else
        std::snprintf(text, sizeof text, "%d,%d,%d", s.ack, s.st1, s.st2);
    core::logTwo("Retorno impressora: ", text);
    core::logText("Retorno: 1 - Ok");
    return 1;
}

int setSwitch(const Road& road, Switch which, short flag) {
    static constexpr const char* kNames[] = {"Quelmar_FI_AtivaDesativaTratamentoONOFFLineMFD",
                                             "Quelmar_FI_AtivaDesativaCorteProximoMFD",
                                             "Quelmar_FI_AtivaDesativaAlinhamentoEsquerdaMFD",
                                             "Quelmar_FI_AtivaDesativaVendaUmaLinhaMFD"};
    const DocumentCall call(road, *protocol::findExportRow(kNames[static_cast<int>(which)]),
                            Lines::Named);
    protocol::Parameters parameters;
    if (which != Switch::CutNext) parameters.push_back(std::to_string(flag));
    if (auto forwarded = call.handOverJoined(parameters)) return *forwarded;
    std::string fields;
    switch (which) {
        case Switch::OnOffLine:
            fields = std::string{kOnOffLine, flag != 0 ? '1' : '0'};
            break;
        case Switch::CutNext:
            fields = std::string{kCutNext};
            break;
        case Switch::LeftAlignment:
            fields = std::string{kLeftAlignment, flag == 0 ? '1' : '0'};
            break;
        case Switch::OneLineSale:
            fields = std::string{kOneLineSale} + kOneLineAccessCode + (flag == 0 ? '1' : '0');
            break;
    }
    return call.run(documentCommand(kExtended, fields));
}

int fiscalMemoryReading(const Road& road, MemoryRange range, const char* first, const char* last,
                        const char* flag, bool toFile) {
    const protocol::ExportRow& row =
        range == MemoryRange::Date
            ? (toFile ? protocol::exportRow("Quelmar_FI_LeituraMemoriaFiscalSerialDataMFD")
                      : protocol::exportRow("Quelmar_FI_LeituraMemoriaFiscalDataMFD"))
            : (toFile ? protocol::exportRow("Quelmar_FI_LeituraMemoriaFiscalSerialReducaoMFD")
                      : protocol::exportRow("Quelmar_FI_LeituraMemoriaFiscalReducaoMFD"));
    const DocumentCall call(road, row);
    const std::string text = core::argText(flag);
    const char form = text.size() == 1
                          ? static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])))
                          : '\0';
    if (form != 'S' && form != 'C')
        return call.failLine(-2, "Retorno: -2 - Parametro invalido para o flag de leitura");
    if (auto forwarded = call.handOverJoined({core::argText(first), core::argText(last), text}))
        return *forwarded;
    core::PrinterState& s = state();
    s.simplifiedReading = form == 'S';
    const int result = core::nested([&] {
        return range == MemoryRange::Date
                   ? fiscal::fiscalMemoryByDate(road, first, last, toFile)
                   : fiscal::fiscalMemoryByReduction(road, first, last, toFile);
    });
    s.simplifiedReading = false;
    core::logLine("Retorno : ", result, "");
    return result;
}

}  // namespace quelfi::mfd
