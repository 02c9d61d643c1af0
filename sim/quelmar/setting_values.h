// The value notations of the printer's settings text (seeds and model files): decimal amounts with
// a point, dates as DD/MM/YYYY, flags as 0 or 1, comma-separated lists, and texts written in UTF-8
// with %XX escapes for bytes that would break the notation.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/quelmar/printer_clock.h"

namespace quelfi::sim::setting {

// Whole number, optionally negative.
std::optional<std::int64_t> parseInteger(std::string_view text);

// A decimal with a point and at most `decimals` decimal digits, as a whole number of the smallest
// unit: "7.5" with 2 decimals is 750.
std::optional<std::int64_t> parseDecimal(std::string_view text, int decimals);
std::string formatDecimal(std::int64_t value, int decimals);

std::optional<bool> parseFlag(std::string_view text);

std::optional<CivilDate> parseDate(std::string_view text);
std::optional<DateTime> parseDateTime(std::string_view text);
std::string formatDate(const CivilDate& date);
std::string formatDateTime(const DateTime& moment);

// Firmware version as NN.NN.NN.
std::string formatFirmware(const std::array<int, 3>& version);

// A text in UTF-8 with %XX escapes, as the printer keeps it (code page 850). Null on a broken
// escape.
std::optional<std::string> parseText(std::string_view text);
// Printer text in the notation: UTF-8, with the bytes the notation uses ('%', ';', and in list
// entries ',' and '/'), control bytes and blanks at either end escaped.
std::string formatText(std::string_view printerText, bool listEntry = false);

// The entries of a comma-separated list; an empty value is an empty list.
std::vector<std::string_view> splitList(std::string_view text);

}  // namespace quelfi::sim::setting
