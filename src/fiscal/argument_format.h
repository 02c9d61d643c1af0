// Turning the caller's texts into the printer's fixed-width fields: digits only, zero-filled
// numbers, right-filled percentages and rates, padded texts, dates.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quelfi::fiscal {

// The text with every character other than '0'-'9' removed ("R$ 1.234,56" gives "123456").
std::string keepDigits(std::string_view text);

// The digits right-aligned in `width` characters, filled with '0' on the left; never cut.
std::string zeroFill(std::string_view digits, std::size_t width);

// A text left-aligned in `width` characters, filled with blanks; never cut.
std::string blankFill(std::string_view text, std::size_t width);

// Copies of `fill` before the text (side 'E' or 'e') or after it, as many as the text is shorter
// than `width`; a text at least as long comes back unchanged.
std::string padText(std::string_view text, std::size_t width, std::string_view fill, char side);

// An item's percentage discount completed on the right to four digits (5 gives 5000); nothing
// when it has more than four digits.
std::optional<std::string> itemPercentage(std::string_view digits);

// A tax-rate value completed on the right by its length: "" gives "00", 5 gives 500, 75 gives
// 750, 180 gives 1800; four digits stay.
std::string taxRateValue(std::string_view digits);

// A 14-digit amount read as an unsigned 32-bit number ("%014u"); nothing when the digits do not
// fit in 32 bits.
std::optional<std::string> numericAmount14(std::string_view digits);

// DDMMAAAA: month 1-12, day within the month (February 29 in years divisible by 4).
bool isValidDate(std::string_view date);

// A date of six digits (DDMMAA) as it stands, or of eight (DDMMAAAA) as DDMM and the last two
// year digits; nothing for any other length.
std::optional<std::string> shortDate(std::string_view digits);

// DDMMAA checked as isValidDate checks a full date, the two year digits deciding the leap year.
bool isValidShortDate(std::string_view date);

// Blanks each '%' within the first `count` characters.
void blankPercentSigns(std::string& text, std::size_t count);

// Upper-cased copy of an ASCII text.
std::string upperCase(std::string_view text);

}  // namespace quelfi::fiscal
