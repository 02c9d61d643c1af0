// One Quelmar command with everything that belongs to it alone: its bytes, how many are framed,
// how its reply is laid out, how long the printer may keep it waiting, and whether the status is
// asked again after it. It travels from the export's body through the sender to the reply reader,
// so no setting of one command is left in the process-wide state for the next.
#pragma once

#include <optional>
#include <string>

#include "core/printer_state.h"

namespace quelfi::protocol {

struct CommandSpec {
    std::string command;  // prefix byte first

    // --- what is framed ---
    int explicitLength = 0;  // the bytes framed when not 0, whatever the length rules say
    int rawLength = 0;       // the variable tail of a '?' (item by department) or '^' command

    // --- the reply ---
    int replyLength = 3;   // ACK + data bytes + ST1 + ST2 (ST3 is added on journal printers)
    int dataMode = 0;      // 0 status bytes only, 1 data
    int dataFormat = 0;    // 1 packed BCD, 2 characters, 3 hexadecimal, otherwise decimal per byte
    int layout = 0;        // 1 data before status
    int tableCommand = 0;  // the table the reply carries (its number, 'L' the cheque read)
    bool tableLayout = false;     // the data bytes are decoded by the table's own layout
    bool leadingCount = false;    // the first data byte is a count written with two digits
    std::optional<bool> journal;  // electronic-journal framing (FS, ST3); the configured one unset

    // --- waiting for the printer ---
    int busyClass = 0;   // 0 normal; 1, 2, 3 the longer ready waits of long commands
    int readyPolls = 0;  // ready-polls of 100 ms for a command of class 0; 0: statusTimeout
    bool probe = false;  // a presence check: a few short ready-polls, no wait within the reply

    // --- after the command ---
    // The status asked again after the command, allowed this many ready-polls; unset: not asked.
    std::optional<int> refreshStatus;
};

// A data query: the information-read command '#' n (or another command) with `replyLength`
// bytes decoded in `dataFormat`, data before status.
CommandSpec query(const std::string& command, int replyLength, int dataFormat);

// Whether the command travels in the electronic-journal framing.
inline bool journalFraming(const CommandSpec& spec) {
    return spec.journal.value_or(core::state().mfdPrinter);
}

}  // namespace quelfi::protocol
