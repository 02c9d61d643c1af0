#include "mfd/document_call.h"

#include "core/call_log.h"
#include "core/printer_state.h"
#include "protocol/frame.h"
#include "protocol/send_command.h"

namespace quelfi::mfd {

using core::state;

DocumentCall::DocumentCall(const Road& road, const protocol::ExportRow& row, Lines lines,
                           std::string_view communication)
    : protocol::Call(road, row), lines_(lines), communication_(communication) {}

int DocumentCall::refuse(std::string_view line, const char* text) const {
    std::string out(line);
    if (text && (out.ends_with(": ") || out.ends_with(' '))) out += text;
    return failLine(-2, out);
}

void DocumentCall::logCustomer(const char* cpf, const char* name, const char* address) const {
    for (const char* field : {cpf, name, address})
        core::logTwo("Par\xE2metro: ", field ? field : "");
}

std::optional<int> DocumentCall::handOverJoined(const protocol::Parameters& parameters) const {
    return handOver(
        {.parameters = [&](int&) { return std::optional<protocol::Parameters>(parameters); },
         .deliver = {},
         .form = protocol::RecordForm::Joined});
}

bool DocumentCall::sendPlain(const protocol::CommandSpec& spec, int& failure) const {
    const int result = protocol::sendCommand(road(), spec);
    if (result == 1) return true;
    if (result != 0) {
        // The port did not open: its own code, never a success.
        failure = end(result);
    } else if (lines_ == Lines::Named) {
        failure = fail(0, communication_);
    } else {
        failure = failLine(0, "Retorno: 0 - " + communication_);
    }
    return false;
}

int DocumentCall::end(int code) const {
    if (lines_ == Lines::Named) return finish(code);
    core::logLine("Retorno: ", code, "");
    return code;
}

int DocumentCall::run(const protocol::CommandSpec& spec) const {
    int failure = 0;
    if (!sendPlain(spec, failure)) return failure;
    return end(state().lastReturnCode);
}

protocol::CommandSpec documentCommand(char command, const std::string& fields) {
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(std::string(1, command) + fields);
    return spec;
}

}  // namespace quelfi::mfd
