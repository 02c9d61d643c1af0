// The roads of the process, made once, and the choice among them for each call.
#include "adapters/yanco/yanco_road.h"
#include "adapters/yanco/yanco_transport.h"
#include "core/printer_state.h"
#include "exports/boundary.h"
#include "fiscal/queries.h"
#include "protocol/client_road.h"
#include "protocol/printer_road.h"

namespace quelfi::exports {

namespace {

constinit const protocol::PrinterRoad kPrinter{fiscal::fiscalFlagsForStatus};
constinit const protocol::ClientRoad kClient{};
constinit const yanco::YancoRoad kYanco{fiscal::fiscalFlagsForStatus, yanco::sendYancoCommand};

}  // namespace

const protocol::Road& chosenRoad() {
    const core::PrinterState& s = core::state();
    if (s.networkMode == 1) return kClient;
    if (core::isYanco()) return kYanco;
    return kPrinter;
}

}  // namespace quelfi::exports
