// The value notations of the virtual devices' settings texts (seeds and state files): decimal
// amounts with a point, dates as DD/MM/YYYY, flags as 0 or 1, comma-separated lists, and texts
// with %XX escapes for bytes that would break the notation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/printer_clock.h"

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

// The bytes of a text whose %XX escapes are decoded; other bytes are kept. Null on a broken
// escape.
std::optional<std::string> unescapeText(std::string_view text);
// A text in the notation: '%', ';', control bytes, blanks at either end and, in list entries,
// ',' and '/' escaped; bytes from 0x80 up are left as they are.
std::string escapeText(std::string_view text, bool listEntry = false);

// The entries of a comma-separated list; an empty value is an empty list.
std::vector<std::string_view> splitList(std::string_view text);

}  // namespace quelfi::sim::setting
