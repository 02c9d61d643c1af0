// The Quelmar printer's own value notations in its settings text: the firmware version and texts,
// which the printer keeps in code page 850 and people write in UTF-8. The notations every device
// shares are in sim/setting_values.h.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "sim/setting_values.h"

namespace quelfi::sim::setting {

// Firmware version as NN.NN.NN.
std::string formatFirmware(const std::array<int, 3>& version);

// A text in UTF-8 with %XX escapes, as the printer keeps it (code page 850). Null on a broken
// escape.
std::optional<std::string> parseText(std::string_view text);
// Printer text in the notation: UTF-8, with the bytes the notation uses ('%', ';', and in list
// entries ',' and '/'), control bytes and blanks at either end escaped.
std::string formatText(std::string_view printerText, bool listEntry = false);

}  // namespace quelfi::sim::setting
