#include "protocol/command_call.h"

#include "core/printer_state.h"
#include "protocol/send_command.h"
#include "protocol/status.h"

namespace quelfi::protocol {

using core::state;

CommandSpec query(const std::string& body, int replyLength, int dataFormat) {
    CommandSpec spec;
    spec.command = body;
    spec.replyLength = replyLength;
    spec.dataMode = 1;
    spec.dataFormat = dataFormat;
    spec.layout = 1;
    return spec;
}

bool send(const core::ExportCall& call, const CommandSpec& spec, int& failure,
          std::string_view communicationMessage) {
    core::PrinterState& s = state();
    s.commandBusy = spec.busyClass;
    const int result = sendCommand(spec.command, spec.replyLength, spec.dataMode, spec.dataFormat,
                                   spec.layout, spec.explicitLength);
    s.commandBusy = 0;
    if (result == 1) return true;
    // A port that did not open is reported with its own code, never as success.
    failure = result == 0 ? call.fail(0, communicationMessage) : call.finish(result);
    return false;
}

int runCommand(const core::ExportCall& call, const CommandSpec& spec, bool refresh) {
    int failure = 0;
    if (!send(call, spec, failure)) return failure;
    if (refresh) refreshStatus();
    return call.finish(state().lastReturnCode);
}

void refreshStatus(int readyPolls) {
    core::PrinterState& s = state();
    const int savedTimeout = s.statusTimeout;
    s.nestedCall = 1;
    s.statusTimeout = readyPolls;
    short ack = 0, st1 = 0, st2 = 0;
    verifyPrinterState(&ack, &st1, &st2);
    s.statusTimeout = savedTimeout;
    s.nestedCall = 0;
}

}  // namespace quelfi::protocol
