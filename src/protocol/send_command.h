// The one road by which a command reaches a Quelmar printer.
#pragma once

#include <cstddef>
#include <string>

namespace quelfi::protocol {

// Frames and writes `command` (prefix byte first), then reads and decodes the reply.
// 1 when the frame was written and a reply read (whatever its status bytes say), 0 when a write
// or the reply failed, or the on-demand opening's result when that was not 1.
int sendCommand(const std::string& command, int replyLength = 3, int dataMode = 0,
                int dataFormat = 0, int layout = 0, int explicitLength = 0);

// Writes a block to the port, retrying a write that wrote nothing up to writeAttempts times.
int writeBlock(const std::string& bytes);

}  // namespace quelfi::protocol
