// The X reading: the day's totals printed without closing the day.
#include "fiscal/day_operations.h"
#include "protocol/call.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

namespace {

constexpr char kReadingX = 0x06;

}  // namespace

int readingX(const Road& road) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_LeituraX"));
    if (auto forwarded = call.handOver()) return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(std::string(1, kReadingX));
    spec.busyClass = 1;
    // The reading is printed after the acknowledge: its outcome is the status asked afterwards.
    spec.refreshStatus = 500;
    return call.run(spec);
}

}  // namespace quelfi::fiscal
