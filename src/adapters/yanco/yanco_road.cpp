#include "adapters/yanco/yanco_road.h"

#include <cstdint>
#include <string>

#include "core/call_log.h"
#include "core/config.h"
#include "core/port_connection.h"
#include "core/printer_state.h"

namespace quelfi::yanco {

namespace {

constexpr std::string_view kStartOfDay = "121";
constexpr std::size_t kStartOfDayBlanks = 13;
constexpr int kStartOfDayBusyClass = 1;  // the printer answers once the day is open
constexpr std::uint32_t kVoucherLinePauseMs = 500;

}  // namespace

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
    const YancoCommand command{std::string(kStartOfDay) + std::string(kStartOfDayBlanks, ' '),
                               /*parseStatus=*/true, kStartOfDayBusyClass};
    if (transport_(*this, command) != 1) {
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
    return core::finishOpened();
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

}  // namespace quelfi::yanco
