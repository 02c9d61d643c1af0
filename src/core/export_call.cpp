#include "core/export_call.h"

#include <cstring>

#include "core/answer_files.h"
#include "core/call_log.h"
#include "core/printer_state.h"
#include "platform/platform.h"

namespace quelfi::core {

ExportCall::ExportCall(std::string name, bool alwaysSeparator) : name_(std::move(name)) {
    if (alwaysSeparator || state().nestedCall == 0) logLine(kSeparator, 0, " ");
    logLine(name_, 0, " ");
}

void ExportCall::logRecord(const std::string& record) const {
    logLine("Par\xE2metros: ", 0, record);
}

void ExportCall::logParameter(std::string_view value) const {
    logLine("Par\xE2metro: ", 0, value);
}

int ExportCall::finish(int code) const {
    logLine("Retorno " + name_ + ": ", code, "");
    return code;
}

int ExportCall::fail(int code, std::string_view message) const {
    logLine("Retorno " + name_ + ": " + std::to_string(code) + " - ", 0, message);
    return code;
}

int ExportCall::failLine(int code, std::string_view line) const {
    logText(line);
    return code;
}

int ExportCall::failWith(int code, std::string_view message, const char* argument) const {
    const std::string value = argument && *argument ? std::string(argument) : std::string(" ");
    return fail(code, std::string(message) + value);
}

int ExportCall::communicationFailure() const { return fail(0, "Erro de comunicacao"); }

int ExportCall::deliver(const std::string& answer, char* buffer, std::size_t width) const {
    PrinterState& s = state();
    if (s.answerToFile) {
        platform::removeFile(s.answerFilePath);
        if (openAnswerFile(s.answerFilePath) != 1)
            return fail(-8, "Erro na abertura do arquivo retorno.txt");
        if (writeAnswerFile(answer) != 1) {
            closeAnswerFile();
            return fail(-8, "Erro ao escrever no arquivo retorno.txt");
        }
        closeAnswerFile();
    } else if (buffer) {
        std::memset(buffer, 0, width);
        const std::size_t n = std::min(answer.size(), width);
        std::memcpy(buffer, answer.data(), n);
        buffer[n] = '\0';
    }
    logLine("Retorno impressora: ", 0, answer);
    return 1;
}

}  // namespace quelfi::core
