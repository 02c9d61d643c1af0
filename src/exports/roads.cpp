// The roads of the process, made once, and the choice among them for each call.
#include "adapters/yanco/yanco_road.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "exports/boundary.h"
#include "fiscal/queries.h"
#include "protocol/client_road.h"
#include "protocol/printer_road.h"

namespace quelfi::exports {

namespace {

constinit const protocol::PrinterRoad kPrinter{fiscal::fiscalFlagsForStatus};
constinit const protocol::ClientRoad kClient{};
constinit const yanco::YancoRoad kYanco{fiscal::fiscalFlagsForStatus};
constinit const yanco::YancoClientRoad kYancoClient{};

}  // namespace

const protocol::Road& chosenRoad() {
    const core::PrinterState& s = core::state();
    if (s.networkMode == 1) return core::isYanco() ? kYancoClient : kClient;
    if (core::isYanco()) return kYanco;
    return kPrinter;
}

std::optional<int> HandingRoad::handOverHere(const protocol::ExportRow& row) const {
    if (handedOver_ || !road_.handsOver(row)) return std::nullopt;
    handedOver_ = true;
    return core::nested([&] { return handler_(road_); });
}

// The network step comes first: the client writes the export's own record.
std::optional<int> HandingRoad::handOver(const core::ExportCall& call,
                                         const protocol::ExportRow& row,
                                         const protocol::RecordRequest& request) const {
    if (auto ended = road_.handOver(call, row, request)) return ended;
    return handOverHere(row);
}

}  // namespace quelfi::exports
