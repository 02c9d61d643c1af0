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

// The closing lines of the status request carry the name as the printer driver always wrote it.
const char* const kStatusLogName = "Quelmar_FI_VerificaEstadoImpresora";

void copyOut(short* target, int value) {
    if (target) *target = static_cast<short>(value);
}

void logStatusTriple() {
    const core::PrinterState& s = state();
    core::logLine("Retorno impressora: ", 0,
                  std::to_string(s.ack) + "," + std::to_string(s.st1) + "," + std::to_string(s.st2));
}

}  // namespace

int verifyPrinterState(short* ack, short* st1, short* st2) {
    core::PrinterState& s = state();
    core::ExportCall call("Quelmar_FI_VerificaEstadoImpressora", /*alwaysSeparator=*/true);
    if (auto forwarded = forwardToDriver(call, requestRecord(95))) return *forwarded;

    const int sent = sendCommand(prefixed("\x13"), 3, 0, 0, 0);
    if (sent == 0) {
        core::logText(std::string("Retorno ") + kStatusLogName + ": 0 - Erro de comunicacao");
        return 0;
    }
    // A port that did not open is reported with the opening's code, never as success.
    if (sent != 1) {
        core::logLine(std::string("Retorno ") + kStatusLogName + ": ", sent, "");
        return sent;
    }
    if (!(s.st1 & 2) && s.seams.fiscalFlags) {
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
    copyOut(ack, s.ack);
    copyOut(st1, s.st1);
    copyOut(st2, s.st2);
    logStatusTriple();
    core::logLine(std::string("Retorno ") + kStatusLogName + ": ", s.lastReturnCode, "");
    return s.lastReturnCode;
}

int printerReturn(short* ack, short* st1, short* st2) {
    core::PrinterState& s = state();
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
    copyOut(ack, s.ack);
    copyOut(st1, s.st1);
    copyOut(st2, s.st2);
    logStatusTriple();
    return call.finish(1);
}

int itsBusy() {
    core::PrinterState& s = state();
    bool openedHere = false;
    if (s.portOpen == 0 && !s.emulatorMode) {
        if (core::openPort() != 1) return 0;
        openedHere = s.portOpen == 1;
    }
    const bool busy = s.port && !s.port->ctsOn();
    if (openedHere) core::closePort();
    return busy ? 1 : 0;
}

}  // namespace quelfi::protocol
