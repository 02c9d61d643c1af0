// The journal printer's non-fiscal receipt ends by the coupon's end-of-closing command.
#pragma once

#include "sim/quelmar/command_registry.h"

namespace quelfi::sim {

// Ends the receipt whose payments are being taken: the message, the change, its totals counted.
void endReceipt(CommandContext& c);

}  // namespace quelfi::sim
