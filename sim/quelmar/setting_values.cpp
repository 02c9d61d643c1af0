#include "sim/quelmar/setting_values.h"

#include <cstdio>

#include "sim/quelmar/code_page.h"

namespace quelfi::sim::setting {

std::string formatFirmware(const std::array<int, 3>& version) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%02d", version[0] % 100, version[1] % 100,
                  version[2] % 100);
    return buffer;
}

std::optional<std::string> parseText(std::string_view text) {
    return unescapeText(utf8ToPrinter(text));
}

std::string formatText(std::string_view printerText, bool listEntry) {
    // The escapes are ASCII, so only the printer's own letters change on the way to UTF-8.
    return printerToUtf8(escapeText(printerText, listEntry));
}

}  // namespace quelfi::sim::setting
