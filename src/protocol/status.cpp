#include "protocol/status.h"

#include <cstdio>
#include <cstdlib>

#include "core/call_log.h"
#include "core/export_call.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "protocol/frame.h"
#include "protocol/network_client.h"
#include "protocol/send_command.h"

namespace quelfi::protocol {

using core::state;

namespace {

// How the two status requests differ: their names, record, separator rule and ST3.
struct StatusRequest {
    const char* name;     // the export's name, as its header line writes it
    const char* logName;  // the name of its closing lines
    int record;
    bool alwaysSeparator;
    bool extended;  // answers ST3 and skips the flags during a long-command wait
};

// The plain request's closing lines carry the name as the printer driver always wrote it.
constexpr StatusRequest kPlainStatus{"Quelmar_FI_VerificaEstadoImpressora",
                                     "Quelmar_FI_VerificaEstadoImpresora", 95, true, false};
constexpr StatusRequest kExtendedStatus{"Quelmar_FI_VerificaEstadoImpressoraMFD",
                                        "Quelmar_FI_VerificaEstadoImpressoraMFD", 239, false, true};

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
void completeCouponOpen() {
    core::PrinterState& s = state();
    if ((s.st1 & 2) || !s.seams.fiscalFlags) return;
    // The flags query is a command of its own: keep this reply's status and result.
    const int savedAck = s.ack, savedSt1 = s.st1, savedSt2 = s.st2, savedSt3 = s.st3;
    const int savedResult = s.lastReturnCode;
    int flags = 0;
    const int answered = core::nested([&] { return s.seams.fiscalFlags(flags); });
    s.ack = savedAck;
    s.st1 = savedSt1;
    s.st2 = savedSt2;
    s.st3 = savedSt3;
    s.lastReturnCode = savedResult;
    if ((answered == 1 || answered == -27) && (flags & 1)) s.st1 += 2;
}

int askStatus(const StatusRequest& request, std::optional<StatusAnswer>& answer) {
    core::PrinterState& s = state();
    answer.reset();
    core::ExportCall call(request.name, request.alwaysSeparator);
    if (auto forwarded = forwardToDriver(call, requestRecord(request.record))) return *forwarded;

    const int sent = sendCommand(prefixed("\x13"), 3, 0, 0, 0);
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
    if (!(request.extended && s.longWaitActive)) completeCouponOpen();
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

int verifyPrinterState(std::optional<StatusAnswer>& answer) {
    return askStatus(kPlainStatus, answer);
}

int verifyPrinterState(short* ack, short* st1, short* st2) {
    std::optional<StatusAnswer> answer;
    return copyStatus(verifyPrinterState(answer), answer, ack, st1, st2);
}

int verifyPrinterStateMfd(std::optional<StatusAnswer>& answer) {
    return askStatus(kExtendedStatus, answer);
}

int printerReturn(std::optional<StatusAnswer>& answer) {
    core::PrinterState& s = state();
    answer.reset();
    core::ExportCall call("Quelmar_FI_RetornoImpressora", /*alwaysSeparator=*/true);
    if (s.networkMode == 1) {
        // Wait for the driver program's answer to the last request.
        const std::optional<std::string> text = awaitDriverFile(s.statusFilePath);
        if (!text) return 0;
        const std::string head = text->substr(0, 11);
        int values[3] = {0, 0, 0};
        std::size_t pos = 0;
        for (int k = 0; k < 3 && pos <= head.size(); ++k) {
            values[k] = std::atoi(head.c_str() + pos);
            const std::size_t comma = head.find(',', pos);
            if (comma == std::string::npos) break;
            pos = comma + 1;
        }
        s.ack = values[0];
        s.st1 = values[1];
        s.st2 = values[2];
    }
    answer = StatusAnswer{s.ack, s.st1, s.st2, s.st3};
    logStatus(*answer, false);
    return call.finish(1);
}

int printerReturn(short* ack, short* st1, short* st2) {
    std::optional<StatusAnswer> answer;
    return copyStatus(printerReturn(answer), answer, ack, st1, st2);
}

int itsBusy() {
    core::PrinterState& s = state();
    bool openedHere = false;
    if (s.portOpen == 0) {
        // In emulator mode this opens the two files, as every command does.
        if (core::openPort() != 1) return 0;
        openedHere = s.portOpen == 1;
    }
    const bool busy = s.port && !s.port->ctsOn();
    if (openedHere) core::closePort();
    return busy ? 1 : 0;
}

}  // namespace quelfi::protocol
