#include "adapters/yanco/yanco_status.h"

#include <initializer_list>
#include <string>

#include "adapters/yanco/yanco_answers.h"
#include "adapters/yanco/yanco_forms.h"
#include "adapters/yanco/yanco_layout.h"
#include "core/call_log.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "protocol/call.h"

namespace quelfi::yanco {

using core::state;

namespace {

constexpr int kAck = 6;
constexpr int kLongJournalProbe = 2000;

// What each status number means in the Quelmar status bytes.
struct Translation {
    std::initializer_list<int> statuses;
    StatusTranslation status;
};

const Translation kTranslations[] = {
    {{9, 17, 32, 41, 42, 43, 44, 45, 46, 47, 49, 50, 53, 54, 55, 56, 57, 64, 69, 71, 72}, {0, 1}},
    {{10}, {128, 1}},                              // out of paper
    {{16}, {1, 1}},                                // wrong number of parameters
    {{18, 19, 74, 75}, {16, 1}},                   // printer error
    {{20, 30, 35, 36, 37, 38, 39, 48}, {0, 129}},  // invalid parameter
    {{34}, {0, 17}},                               // tax rate not programmed
    {{62}, {64, 1}},                               // paper near its end
    {{67, 68, 73}, {0, 0}},
    {{70}, {0, 5}},  // cancellation not allowed
};

std::string triple(int a, int b, int c) {
    return std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c);
}

void copyOut(short* target, int value) {
    if (target) *target = static_cast<short>(value);
}

// The status bits of the "25" answer.
void stateBits() {
    core::PrinterState& s = state();
    s.st1 = s.st2 = 0;
    if (s.ack != kAck) return;
    if (replyAt(layout::kMechanismErrorAt, 1) != "0" ||
        replyAt(layout::kFiscalMemoryFullAt, 1) != "0")
        s.st1 += 16;
    if (replyAt(layout::kPaperOutAt, 1) == "1") s.st1 += 128;
    bool idle = false;
    for (int number : layout::kIdleStates) idle = idle || stateNumber() == number;
    if (!idle) s.st1 += 2;
    const std::vector<std::string> fields = statusFields();
    if (fields.size() > layout::kNearEndAfterField &&
        fields[layout::kNearEndAfterField].substr(0, 1) == "1")
        s.st1 += 64;
}

}  // namespace

StatusTranslation translateStatus(int status, int st1, int st2) {
    for (const Translation& t : kTranslations)
        for (int number : t.statuses)
            if (number == status) return t.status;
    return {st1, st2};
}

int verifyPrinterState(const protocol::Road& road, short* ack, short* st1, short* st2) {
    core::PrinterState& s = state();
    const protocol::Call call(road, protocol::exportRow("Yanco_FI_VerificaEstadoImpressora"));
    if (auto forwarded = call.handOver()) return *forwarded;
    const int asked = askStatus(road);
    if (asked == 0) return call.fail(0, kNoAnswer);
    if (asked != 1) return call.finish(asked);
    stateBits();
    core::logLine("Retorno impressora: ", 0, triple(s.ack, s.st1, s.st2));
    copyOut(ack, s.ack);
    copyOut(st1, s.st1);
    copyOut(st2, s.st2);
    return call.finish(s.lastReturnCode);
}

int printerReturn(const protocol::Road& road, short* ack, short* st1, short* st2) {
    core::PrinterState& s = state();
    const core::ExportCall call("Yanco_FI_RetornoImpressora");
    if (!road.takeLastStatus()) return 0;
    core::logLine("Status yanco: ", 0, triple(s.ack, s.st1, s.st2));
    const StatusTranslation translated = translateStatus(s.st1, s.st1, s.st2);
    s.st1 = translated.st1;
    s.st2 = translated.st2;
    core::logLine("Status compatibilizado: ", 0, triple(s.ack, s.st1, s.st2));
    copyOut(ack, s.ack);
    copyOut(st1, s.st1);
    copyOut(st2, s.st2);
    return call.finish(1);
}

int closeXOrZReport(const protocol::Road& road) {
    const protocol::Call call(road, protocol::exportRow("Yanco_FI_FechaRelatorioXouZ"));
    if (auto forwarded = call.handOver()) return *forwarded;
    return sendAndFinish(road, call, {"2C", true, 0}, "Erro de comunicacao");
}

// The presence check: "25" answered, whatever it says.
int verifyPrinterOnForm(const FormCall& form) {
    core::PrinterState& s = state();
    if (s.portOpen == 0) {
        // Not nested: the opening writes its own separator and lines.
        const int opened = form.road.openPort();
        if (opened != 1) return opened;
    }
    const int savedProbe = s.probeMode;
    if (s.probeMode != kLongJournalProbe) s.probeMode = 1;
    const int sent = askStatus(form.road);
    s.probeMode = savedProbe == kLongJournalProbe ? savedProbe : 0;
    if (sent == 0) return form.call.fail(-6, "Impressora desligada ou desconectada");
    if (sent != 1) return sent;
    core::logText("Retorno Quelmar_FI_VerificaImpressoraLigada: 1 - Impressora ligada");
    return 1;
}

}  // namespace quelfi::yanco
