#include "protocol/status.h"

#include <cstdlib>

#include "core/call_log.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "protocol/call.h"
#include "protocol/frame.h"
#include "protocol/send_command.h"

namespace quelfi::protocol {

using core::state;

namespace {

constexpr char kStatusRequest = 0x13;

// How the two status requests differ: their rows, the name of their closing lines, the separator
// rule and ST3.
struct StatusRequest {
    const ExportRow& row;
    const char* logName;  // the name of its closing lines
    core::Header header;
    bool extended;  // answers ST3
};

// The plain request's closing lines carry the name as the printer driver always wrote it.
constexpr StatusRequest kPlainStatus{exportRow("Quelmar_FI_VerificaEstadoImpressora"),
                                     "Quelmar_FI_VerificaEstadoImpresora", core::Header::Always,
                                     false};
constexpr StatusRequest kExtendedStatus{exportRow("Quelmar_FI_VerificaEstadoImpressoraMFD"),
                                        "Quelmar_FI_VerificaEstadoImpressoraMFD",
                                        core::Header::UnlessNested, true};

void copyOut(short* target, int value) {
    if (target) *target = static_cast<short>(value);
}

void logStatus(const StatusAnswer& a, bool withSt3) {
    std::string text =
        std::to_string(a.ack) + "," + std::to_string(a.st1) + "," + std::to_string(a.st2);
    if (withSt3) text += "," + std::to_string(a.st3);
    core::logLine("Retorno impressora: ", 0, text);
}

// Adds the coupon-open bit to ST1 when the fiscal flags say a coupon is open.
void completeCouponOpen(const Road& road, int readyPolls) {
    core::PrinterState& s = state();
    if (s.st1 & 2) return;
    // The flags query is a command of its own: keep this reply's status and result.
    const int savedAck = s.ack, savedSt1 = s.st1, savedSt2 = s.st2, savedSt3 = s.st3;
    const int savedResult = s.lastReturnCode;
    int flags = 0;
    const int answered = core::nested([&] { return road.fiscalFlags(readyPolls, flags); });
    s.ack = savedAck;
    s.st1 = savedSt1;
    s.st2 = savedSt2;
    s.st3 = savedSt3;
    s.lastReturnCode = savedResult;
    if ((answered == 1 || answered == -27) && (flags & 1)) s.st1 += 2;
}

int askStatus(const Road& road, const StatusRequest& request, const StatusAsk& ask,
              std::optional<StatusAnswer>& answer) {
    core::PrinterState& s = state();
    answer.reset();
    const Call call(road, request.row, request.header);
    if (auto forwarded = call.handOver()) return *forwarded;

    CommandSpec spec;
    spec.journal = ask.journal;
    spec.command = std::string(1, journalFraming(spec) ? kFs : kEsc) + kStatusRequest;
    spec.readyPolls = ask.readyPolls;
    const int sent = sendCommand(road, spec);
    const std::string closing = std::string("Retorno ") + request.logName + ": ";
    if (sent == 0) {
        core::logText(closing + "0 - Erro de comunicacao");
        return 0;
    }
    if (sent != 1) {
        // The port did not open: its code, never a stale success.
        core::logLine(closing, sent, "");
        return sent;
    }
    if (!ask.duringLongWait) completeCouponOpen(road, ask.readyPolls);
    answer = StatusAnswer{s.ack, s.st1, s.st2, s.st3};
    logStatus(*answer, request.extended);
    core::logLine(closing, s.lastReturnCode, "");
    return s.lastReturnCode;
}

int copyStatus(int result, const std::optional<StatusAnswer>& answer, short* ack, short* st1,
               short* st2) {
    if (answer) {
        copyOut(ack, answer->ack);
        copyOut(st1, answer->st1);
        copyOut(st2, answer->st2);
    }
    return result;
}

}  // namespace

int verifyPrinterState(const Road& road, std::optional<StatusAnswer>& answer,
                       const StatusAsk& ask) {
    return askStatus(road, kPlainStatus, ask, answer);
}

int verifyPrinterState(const Road& road, short* ack, short* st1, short* st2) {
    std::optional<StatusAnswer> answer;
    return copyStatus(verifyPrinterState(road, answer), answer, ack, st1, st2);
}

int verifyPrinterStateMfd(const Road& road, std::optional<StatusAnswer>& answer,
                          const StatusAsk& ask) {
    return askStatus(road, kExtendedStatus, ask, answer);
}

int printerReturn(const Road& road, std::optional<StatusAnswer>& answer) {
    core::PrinterState& s = state();
    answer.reset();
    const Call call(road, exportRow("Quelmar_FI_RetornoImpressora"), core::Header::Always);
    if (auto handed = call.handedOverToYanco()) return *handed;
    if (!road.takeLastStatus()) return 0;
    answer = StatusAnswer{s.ack, s.st1, s.st2, s.st3};
    logStatus(*answer, false);
    return call.finish(1);
}

int printerReturn(const Road& road, short* ack, short* st1, short* st2) {
    std::optional<StatusAnswer> answer;
    return copyStatus(printerReturn(road, answer), answer, ack, st1, st2);
}

int itsBusy(const Road& road) {
    core::PrinterState& s = state();
    bool openedHere = false;
    if (s.portOpen == 0) {
        // In emulator mode this opens the two files, as every command does.
        if (road.openPort() != 1) return 0;
        openedHere = s.portOpen == 1;
    }
    const bool busy = s.port && !s.port->ctsOn();
    if (openedHere) core::closePort();
    return busy ? 1 : 0;
}

}  // namespace quelfi::protocol
