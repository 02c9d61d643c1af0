#include "fiscal/tax_rate_table.h"

#include <algorithm>
#include <cstdlib>

#include "core/printer_state.h"
#include "fiscal/record_answers.h"
#include "protocol/call.h"
#include "protocol/frame.h"
#include "protocol/send_command.h"

namespace quelfi::fiscal {

using core::state;

namespace {

constexpr int kAck = 6;
constexpr char kRateList = 0x1A;
constexpr int kRateListReply = 36;  // ACK, the count, 16 rates of two BCD bytes, ST1, ST2

}  // namespace

void storeTaxRateList(const std::string& list) {
    core::PrinterState& s = state();
    const int count = std::clamp(std::atoi(slice(list, 0, 2).c_str()), 0,
                                 static_cast<int>(s.taxRateTable.size()));
    for (std::size_t slot = 0; slot < s.taxRateTable.size(); ++slot)
        s.taxRateTable[slot] =
            static_cast<int>(slot) < count ? slice(list, 2 + 4 * slot, 4) : std::string();
    s.taxRateTableLoaded = true;
}

int readTaxRateTable(const protocol::Road& road) {
    core::PrinterState& s = state();
    protocol::CommandSpec spec =
        protocol::query(protocol::prefixed(std::string(1, kRateList)), kRateListReply, 1);
    spec.leadingCount = true;
    const int sent = protocol::sendCommand(road, spec);
    if (sent != 1) return sent;
    // A refused command carries no list: keep what is cached rather than an empty table.
    if (s.ack != kAck) return 0;
    storeTaxRateList(s.replyBuffer);
    return 1;
}

}  // namespace quelfi::fiscal
