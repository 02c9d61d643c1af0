#include "protocol/presence.h"

#include <string>

#include "core/call_log.h"
#include "core/config.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "protocol/call.h"
#include "protocol/frame.h"
#include "protocol/send_command.h"

namespace quelfi::protocol {

using core::state;

namespace {

// The probe mode of the long electronic-journal operations, under which a presence check waits as
// they do.
constexpr int kLongJournalProbe = 2000;
constexpr char kStatusRequest = 0x13;
// The search looks at COM1 to COM8; higher ports open only by name or index.
constexpr int kSearchedPorts = 8;

// The search found a printer on the port just probed: record it, and make sure it is open.
int keepFoundPort(const Road& road) {
    core::PrinterState& s = state();
    core::writeIniValue("Sistema", "Porta", s.portName);
    core::logText("Retorno Quelmar_FI_AbrePortaSerial: 1");
    if (s.portOpen != 0) return 1;
    // Port control closed it after the probe's command: open it again, by name this time.
    return core::nested([&] { return road.openPort(); });
}

}  // namespace

int verifyPrinterOn(const Road& road) {
    core::PrinterState& s = state();
    const Call call(road, exportRow("Quelmar_FI_VerificaImpressoraLigada"));
    if (auto forwarded = call.handOver()) return *forwarded;

    if (s.portOpen == 0) {
        // Not nested: the opening writes its own separator and lines.
        const int opened = road.openPort();
        if (opened != 1) return opened;
    }
    CommandSpec spec;
    spec.command = prefixed(std::string(1, kStatusRequest));
    // A probe waits briefly for the ready line, unless a long journal operation is under way.
    spec.probe = s.probeMode != kLongJournalProbe;
    // The Yanco printer gets its own presence command once its transport is in place; until then
    // every printer is asked with the Quelmar status request.
    const int sent = sendCommand(road, spec);
    if (sent == 0) return call.fail(-6, "Impressora desligada ou desconectada");
    // An emulator file that no longer opens: the opening has logged why.
    if (sent != 1) return sent;
    core::logText("Retorno Quelmar_FI_VerificaImpressoraLigada: 1 - Impressora ligada");
    return 1;
}

int searchPorts(const Road& road) {
    core::PrinterState& s = state();
    for (int index = 0; index < kSearchedPorts; ++index) {
        s.portName = "COM" + std::to_string(index + 1);
        if (!core::openSerialByName(s.portName)) continue;
        if (core::nested([&] { return verifyPrinterOn(road); }) == 1) return keepFoundPort(road);
        s.port.reset();
        s.portOpen = 0;
    }
    core::logText("Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a porta");
    return -5;
}

}  // namespace quelfi::protocol
