#include "exports/host.h"

#include "core/call_log.h"
#include "core/printer_state.h"
#include "core/return_code.h"

namespace quelfi::exports::host {

using core::state;

Configuration configuration() {
    const core::PrinterState& s = state();
    return {.iniFile = s.iniFilePath,
            .port = s.portName,
            .printerModel = s.printerModel,
            .printerType = s.printerType,
            .callLog = s.logEnabled,
            .statusToFile = s.statusToFile,
            .statusFile = s.statusFilePath,
            .answersToFile = s.answerToFile,
            .answerFile = s.answerFilePath,
            .closeAfterCommand = s.closeAfterCommand,
            .statusInResult = s.statusInReturnCode,
            .networkMode = s.networkMode,
            .emulatorFiles = s.emulatorMode,
            .reductionSeconds = s.reductionTimeout};
}

std::string callLogPath() {
    return core::logFilePath();
}

void usePort(const std::string& name) {
    state().portName = name;
}

LastReply lastReply() {
    const core::PrinterState& s = state();
    return {.ack = s.ack, .st1 = s.st1, .st2 = s.st2, .data = s.replyBuffer};
}

void forgetLastReply() {
    core::PrinterState& s = state();
    s.ack = s.st1 = s.st2 = 0;
    s.replyBuffer.clear();
}

void serveAsNetworkDriver() {
    core::PrinterState& s = state();
    s.networkMode = 2;
    s.answerToFile = false;
}

void restart(platform::Platform& platform) {
    core::resetState();
    state().platform = &platform;
}

void setReadyPolls(int polls) {
    state().statusTimeout = polls;
}

std::string_view returnCodeMeaning(int code) {
    return core::returnCodeMeaning(code);
}

}  // namespace quelfi::exports::host
