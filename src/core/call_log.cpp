#include "core/call_log.h"

#include <algorithm>

#include "core/printer_state.h"

namespace quelfi::core {

namespace {

constexpr std::string_view kLineEnd = "\r\r\n";
constexpr std::string_view kStatusFileName = "Status.txt";

void append(const std::string& pieces) {
    if (pieces.empty()) return;
    // A log that cannot be written never stops the call.
    platform::appendToFile(logFilePath(), pieces);
}

}  // namespace

std::string logFilePath() {
    const std::string& status = state().statusFilePath;
    // The directory is what precedes the final "\Status.txt" ('/' counts as a separator too).
    const std::size_t nameAt = status.size() - std::min(status.size(), kStatusFileName.size());
    if (nameAt > 0 && status.compare(nameAt, std::string::npos, kStatusFileName) == 0 &&
        (status[nameAt - 1] == '\\' || status[nameAt - 1] == '/'))
        return status.substr(0, nameAt - 1) + "\\QuelFI32.log";
    return "QuelFI32.log";
}

void logLine(std::string_view text, int code, std::string_view valueText, bool newline) {
    if (!state().logEnabled) return;
    std::string out(text);
    if (valueText.empty())
        out += std::to_string(code);
    else
        out += valueText;
    if (newline) out += kLineEnd;
    append(out);
}

void logCode(std::string_view text, int code) {
    if (!state().logEnabled) return;
    append(std::string(text) + std::to_string(code) + std::string(kLineEnd));
}

void logText(std::string_view text, bool newline) {
    if (!state().logEnabled) return;
    std::string out(text);
    if (newline) out += kLineEnd;
    append(out);
}

void logTwo(std::string_view text1, std::string_view text2, bool newline) {
    if (!state().logEnabled) return;
    std::string out(text1);
    out += text2;
    if (newline) out += kLineEnd;
    append(out);
}

}  // namespace quelfi::core
