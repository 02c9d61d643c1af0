#include "core/answer_files.h"

#include "core/printer_state.h"
#include "platform/platform.h"

namespace quelfi::core {
namespace {
constexpr std::size_t kWrapWidth = 61;
constexpr std::size_t kWrapLimit = 1100;
}  // namespace

std::string wrapAnswer(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / kWrapWidth * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i > 0 && i % kWrapWidth == 0 && i <= kWrapLimit) out += ",\r\n";
        out += text[i];
    }
    return out;
}

int openAnswerFile(const std::string& name) {
    PrinterState& s = state();
    closeAnswerFile();
    s.answerFileHandle = platform::openFile(name, "ab");
    return s.answerFileHandle ? 1 : -8;
}

int writeAnswerFile(const std::string& text) {
    PrinterState& s = state();
    if (!s.answerFileHandle) return -8;
    std::string out = text;
    if (s.wrapAnswerText) {
        out = wrapAnswer(text);
        s.wrapAnswerText = false;
    }
    if (out.empty()) return 1;
    bool ok = std::fwrite(out.data(), 1, out.size(), s.answerFileHandle) == out.size();
    // Report a full disk now rather than losing the answer silently at close.
    ok = std::fflush(s.answerFileHandle) == 0 && ok;
    return ok ? 1 : -8;
}

void closeAnswerFile() {
    PrinterState& s = state();
    if (s.answerFileHandle) std::fclose(s.answerFileHandle);
    s.answerFileHandle = nullptr;
}

int writeAnswerText(const std::string& text) {
    return platform::replaceFile(state().answerFilePath, text) ? 1 : 0;
}

int writeStatusFile(const std::string& text) {
    return platform::replaceFile(state().statusFilePath, text) ? 1 : 0;
}

}  // namespace quelfi::core
