// The printer road of an export, after its checks: send the command with its wait class, judge
// the result, refresh the status when the export asks for it, and write the closing line.
#pragma once

#include <string>
#include <string_view>

#include "core/export_call.h"

namespace quelfi::protocol {

struct CommandSpec {
    std::string command;  // prefix byte first
    int replyLength = 3;
    int dataMode = 0;
    int dataFormat = 0;
    int layout = 0;
    int explicitLength = 0;
    int busyClass = 0;  // 0 normal; 1, 2, 3 the longer ready waits
};

// A data query: spec for the information-read command '#' n (or another command number) with
// `replyLength` bytes decoded in `dataFormat`, data before status.
CommandSpec query(const std::string& body, int replyLength, int dataFormat);

// Sends the command. True when a reply was read; otherwise `failure` holds the result already
// logged ("Retorno N: 0 - " and the export's communication message, or the port opening's code).
bool send(const core::ExportCall& call, const CommandSpec& spec, int& failure,
          std::string_view communicationMessage = "Erro de comunicacao");

// A command without data answer, to the end: "Retorno N: code" and the code.
int runCommand(const core::ExportCall& call, const CommandSpec& spec, bool refreshStatus = false);

// Asks the printer's status again after a command, as a nested status request allowed
// `readyPolls` ready-polls of 100 ms; lastReturnCode then holds its result.
void refreshStatus(int readyPolls = 500);

}  // namespace quelfi::protocol
