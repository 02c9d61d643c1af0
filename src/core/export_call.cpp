#include "core/export_call.h"

#include <algorithm>
#include <cstring>

#include "core/answer_files.h"
#include "core/call_log.h"
#include "core/printer_state.h"
#include "platform/platform.h"

namespace quelfi::core {

ExportCall::ExportCall(std::string name, Header header) : name_(std::move(name)) {
    if (header == Header::None) return;
    if (header == Header::Always || state().nestedCall == 0) logLine(kSeparator, 0, " ");
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

int ExportCall::communicationFailure() const {
    return fail(0, "Erro de comunicacao");
}

int ExportCall::deliver(const std::string& answer, char* buffer, std::size_t width) const {
    if (state().answerToFile) {
        if (const int written = writeAnswer(answer); written != 1) return written;
    } else {
        copyToBuffer(buffer, width, answer);
    }
    logAnswer(answer);
    return 1;
}

int ExportCall::writeAnswer(const std::string& text) const {
    const PrinterState& s = state();
    platform::removeFile(s.answerFilePath);
    if (openAnswerFile(s.answerFilePath) != 1)
        return fail(-8, "Erro na abertura do arquivo retorno.txt");
    if (writeAnswerFile(text) != 1) {
        closeAnswerFile();
        return fail(-8, "Erro ao escrever no arquivo retorno.txt");
    }
    closeAnswerFile();
    return 1;
}

void ExportCall::logAnswer(const std::string& answer) const {
    logLine("Retorno impressora: ", 0, answer);
}

void copyToBuffer(char* buffer, std::size_t width, const std::string& text) {
    if (!buffer) return;
    std::memset(buffer, 0, width);
    const std::size_t n = std::min(text.size(), width);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

}  // namespace quelfi::core
