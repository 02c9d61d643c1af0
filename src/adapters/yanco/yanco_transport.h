// The Yanco printer's transport: a command text in its own frame, and the reply translated into
// the ACK, ST1 and ST2 of the Quelmar status.
#pragma once

#include <string>

#include "protocol/road.h"

namespace quelfi::yanco {

struct YancoCommand {
    std::string text;         // the two-character code and its fields
    bool parseStatus = true;  // the reply's positions 8-9 are the command's status
    int busyClass = 0;        // the ready wait of a long command, as for the Quelmar printer
};

// Sends the command on `road` (opening the port there when needed) and reads its reply: 1 sent and
// answered (the caller reads -27 from lastReturnCode), 0 not sent or not answered, or the
// opening's result. The frame is not built yet: nothing is sent, and the result is 0.
int sendYancoCommand(const protocol::Road& road, const YancoCommand& command);

// The adapter's closing of an X or Z report, which Quelmar_FI_FechaRelatorioXouZ hands over to
// whatever the model. Until the transport is built nothing can close the report: an execution
// error (-1), never a success.
int closeXOrZReport();

}  // namespace quelfi::yanco
