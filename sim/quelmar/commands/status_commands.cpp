// The status request: ACK and the status bytes, nothing else.
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"

namespace quelfi::sim {

void registerStatusCommands(CommandRegistry& registry) {
    // The printer's standing conditions are added to every reply; this one reports only them.
    registry.add(
        {std::string(1, static_cast<char>(codes::kStatusRequest)), 2, [](CommandContext&) {}});
}

}  // namespace quelfi::sim
