#include "protocol/client_road.h"

#include <cstdlib>

#include "core/call_log.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "protocol/driver_request.h"
#include "protocol/network_client.h"

namespace quelfi::protocol {

using core::state;

std::optional<int> ClientRoad::handOver(const core::ExportCall& call, const ExportRow& row,
                                        const RecordRequest& request) const {
    // An export without a record (0 in the table) has no network step: it goes on as it would
    // on any road.
    if (row.record == 0) return std::nullopt;
    int refusal = 0;
    const std::optional<Parameters> parameters = request.parameters(refusal);
    if (!parameters) return refusal;
    const std::string record = requestRecord(row, *parameters, request.form);
    if (request.line == RecordLine::Whole) call.logRecord(record);
    // The number and its "|" are the first four characters.
    if (request.line == RecordLine::Parameters) call.logRecord(record.substr(4));
    core::PrinterState& s = state();
    s.lastReturnCode = writeCommandFile(record);
    const std::string closing = request.closing.empty() ? "Retorno " + std::string(row.name) + ": "
                                                        : std::string(request.closing);
    core::logLine(closing, s.lastReturnCode, "");
    return s.lastReturnCode;
}

int ClientRoad::runRawRequest(const std::string& request) const {
    return protocol::runRawRequest(*this, request);
}

int ClientRoad::openPort() const {
    return core::openNothing();
}

bool ClientRoad::takeLastStatus() const {
    core::PrinterState& s = state();
    const std::optional<std::string> text = awaitDriverFile(s.statusFilePath);
    if (!text) return false;
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
    return true;
}

bool ClientRoad::yancoPrinter() const {
    return core::isYanco();
}

std::optional<int> ClientRoad::takeYancoForm(const ExportRow&, const YancoForm&) const {
    return std::nullopt;
}

int ClientRoad::fiscalFlags(int, int& flags) const {
    flags = 0;
    return 0;
}

}  // namespace quelfi::protocol
