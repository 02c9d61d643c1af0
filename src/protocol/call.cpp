#include "protocol/call.h"

#include "core/port_connection.h"
#include "core/printer_state.h"
#include "protocol/network_client.h"
#include "protocol/send_command.h"
#include "protocol/status.h"

namespace quelfi::protocol {

using core::state;

CommandSpec query(const std::string& command, int replyLength, int dataFormat) {
    CommandSpec spec;
    spec.command = command;
    spec.replyLength = replyLength;
    spec.dataMode = 1;
    spec.dataFormat = dataFormat;
    spec.layout = 1;
    return spec;
}

Call::Call(const Road& road, const ExportRow& row, core::Header header)
    : Call(road, row, std::string(row.name), header) {}

Call::Call(const Road& road, const ExportRow& row, std::string logName, core::Header header)
    : core::ExportCall(std::move(logName), header), road_(road), row_(row) {}

std::string Call::record(const Parameters& parameters) const {
    return requestRecord(row_, parameters);
}

std::optional<int> Call::handOver(const Parameters& parameters, RecordLine line) const {
    return road_.handOver(
        *this, row_, {[&](int&) { return std::optional<Parameters>(parameters); }, line, {}, {}});
}

std::optional<int> Call::handOver(const RecordRequest& request) const {
    return road_.handOver(*this, row_, request);
}

std::optional<int> Call::refusedOnYanco() const {
    if (row_.yanco.way != YancoWay::Refused || !road_.yancoPrinter()) return std::nullopt;
    // A few exports refuse under the name of the export they stand beside.
    const std::string name =
        row_.yanco.target.empty() ? this->name() : std::string(row_.yanco.target);
    return failLine(-30, "Retorno " + name + ": -30 - Funcao incompativel com a impressora yanco");
}

std::optional<int> Call::yancoForm(const YancoForm& form) const {
    return road_.takeYancoForm(row_, form);
}

bool Call::send(const CommandSpec& spec, int& failure,
                std::string_view communicationMessage) const {
    const int result = sendCommand(road_, spec);
    if (result == 1) return true;
    // A port that did not open is reported with its own code, never as success.
    failure = result == 0 ? fail(0, communicationMessage) : finish(result);
    return false;
}

int Call::run(const CommandSpec& spec) const {
    int failure = 0;
    if (!send(spec, failure)) return failure;
    if (spec.refreshStatus) refreshStatus(road_, *spec.refreshStatus);
    return finish(state().lastReturnCode);
}

void refreshStatus(const Road& road, int readyPolls) {
    std::optional<StatusAnswer> answer;
    core::nested([&] {
        return verifyPrinterState(
            road, answer,
            {.readyPolls = readyPolls, .journal = std::nullopt, .duringLongWait = false});
    });
}

}  // namespace quelfi::protocol
