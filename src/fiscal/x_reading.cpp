// The X reading: the day's totals printed without closing the day.
#include "core/export_call.h"
#include "fiscal/day_operations.h"
#include "protocol/command_call.h"
#include "protocol/frame.h"
#include "protocol/network_client.h"

namespace quelfi::fiscal {

int readingX() {
    core::ExportCall call("Quelmar_FI_LeituraX");
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(45)))
        return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed("\x06");
    spec.busyClass = 1;
    // The reading is printed after the acknowledge: its outcome is the status asked afterwards.
    return protocol::runCommand(call, spec, /*refreshStatus=*/true);
}

}  // namespace quelfi::fiscal
