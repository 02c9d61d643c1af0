#include "adapters/yanco/yanco_road.h"

#include <cstdint>
#include <string>

#include "adapters/yanco/yanco_forms.h"
#include "adapters/yanco/yanco_transport.h"
#include "core/answer_files.h"
#include "core/call_log.h"
#include "core/config.h"
#include "core/port_connection.h"
#include "core/printer_state.h"

namespace quelfi::yanco {

namespace {

constexpr std::string_view kStartOfDay = "121";
constexpr std::size_t kReservedBlanks = 13;
constexpr int kStartOfDayBusyClass = 1;  // the printer answers once the day is open
constexpr std::uint32_t kVoucherLinePauseMs = 500;
constexpr char kEtb = 0x17;

// "command ETB flag": the command goes as it is, its reply read with status parsing when the
// flag is '1'.
int sendRaw(const protocol::Road& road, const std::string& request) {
    const std::size_t etb = request.find(kEtb);
    const std::string command = request.substr(0, etb);
    const bool parseStatus =
        etb != std::string::npos && etb + 1 < request.size() && request[etb + 1] == '1';
    const int sent = command.empty() ? 0 : sendYancoCommand(road, {command, parseStatus, 0});
    // The client learns of a request that went nowhere as of any other.
    if (sent == 0) core::writeStatusFile("0,0,0");
    return sent;
}

}  // namespace

bool YancoRoad::handsOver(const protocol::ExportRow& row) const {
    return row.yanco.way == protocol::YancoWay::Handler;
}

std::optional<int> YancoRoad::handOver(const core::ExportCall& call, const protocol::ExportRow& row,
                                       const protocol::RecordRequest& request) const {
    switch (row.yanco.way) {
        case protocol::YancoWay::Refused:
            return refuse(call, row);
        case protocol::YancoWay::Commands:
        case protocol::YancoWay::Local:
            return runYancoForm(*this, call, row, request);
        default:
            // A hand-over is the entry's (it holds the arguments); without one the Quelmar
            // command goes.
            return std::nullopt;
    }
}

int YancoRoad::runRawRequest(const std::string& request) const {
    return sendRaw(*this, request);
}

bool YancoRoad::yancoPrinter() const {
    return true;
}

std::optional<int> YancoRoad::takeYancoForm(const protocol::ExportRow& row,
                                            const protocol::YancoForm& form) const {
    const protocol::YancoWay way = row.yanco.way;
    if (way != protocol::YancoWay::Commands && way != protocol::YancoWay::Local)
        return std::nullopt;
    return form();
}

bool YancoRoad::takeLastStatus() const {
    core::PrinterState& s = core::state();
    s.ack = s.yancoReply.ack;
    s.st1 = s.yancoReply.st1;
    s.st2 = s.yancoReply.st2;
    return true;
}

void YancoRoad::beforeVoucherLine() const {
    core::state().platform->sleep(kVoucherLinePauseMs);
}

int YancoRoad::afterOpened() const {
    core::PrinterState& s = core::state();
    if (s.dayOpenDone) return core::finishOpened();
    std::string done;
    core::readIniValue("Config", "InicioDia", done);
    if (done == "1") {
        s.dayOpenDone = true;
        return core::finishOpened();
    }
    core::logText("Executando a abertura do dia");
    const YancoCommand command{std::string(kStartOfDay) + std::string(kReservedBlanks, ' '),
                               /*parseStatus=*/true, kStartOfDayBusyClass};
    if (sendYancoCommand(*this, command) != 1) {
        core::logText(
            "Retorno Quelmar_FI_AbrePortaSerial: 0 - Erro de comunica\xE7\xE3o ao enviar o "
            "comando de inicio do dia");
        return 0;
    }
    if (s.st2 == 0) {
        core::writeIniValue("Config", "InicioDia", "1");
        s.dayOpenDone = true;
        core::logText("Abertura do dia executada com sucesso");
    } else {
        core::logText("Erro na execu\xE7\xE3o da abertura do dia");
    }
    // Port control closes the port after the start of day's command; the opening hands the
    // port over open, as it promises.
    if (s.portOpen == 0 && !core::openSerialByName(s.portName)) {
        core::logText("Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a porta");
        return -5;
    }
    return core::finishOpened();
}

bool YancoClientRoad::handsOver(const protocol::ExportRow& row) const {
    return row.yanco.way == protocol::YancoWay::Handler;
}

int YancoClientRoad::runRawRequest(const std::string& request) const {
    return sendRaw(*this, request);
}

}  // namespace quelfi::yanco
