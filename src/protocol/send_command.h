// The one road by which a command reaches a Quelmar printer.
#pragma once

#include <cstddef>
#include <string>

#include "protocol/command_spec.h"
#include "protocol/road.h"

namespace quelfi::protocol {

// Frames and writes `spec`'s command, then reads and decodes its reply; a closed port is opened
// first on `road`. 1 when the frame was written and a reply read (whatever its status bytes say),
// 0 when a write or the reply failed, or the on-demand opening's result when that was not 1.
int sendCommand(const Road& road, const CommandSpec& spec);

// Writes a block to the port, retrying a write that wrote nothing up to writeAttempts times.
int writeBlock(const std::string& bytes);

}  // namespace quelfi::protocol
