// The call log QuelFI32.log: one group of pieces per writer call, appended when the INI turns
// logging on. Lines end in CR CR LF on disk, as the text-mode stream of the original writer left
// them, on every platform.
#pragma once

#include <string>
#include <string_view>

namespace quelfi::core {

// The separator that opens every export's lines: 71 '-'. A constant, not a global object, so
// that it is already there when the load step logs from a shared library's constructor.
inline constexpr std::string_view kSeparator =
    "-----------------------------------------------------------------------";
static_assert(kSeparator.size() == 71);

// The log file's full name, beside the status file.
std::string logFilePath();

// text; then valueText, or the code as "%d" when valueText is empty; then the line end.
void logLine(std::string_view text, int code, std::string_view valueText, bool newline = true);
// text, the code as "%d", the line end.
void logCode(std::string_view text, int code);
// text, then the line end when asked.
void logText(std::string_view text, bool newline = true);
// text1, text2, then the line end when asked.
void logTwo(std::string_view text1, std::string_view text2, bool newline = true);

}  // namespace quelfi::core
