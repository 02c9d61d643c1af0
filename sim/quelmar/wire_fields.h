// The encodings of reply data: packed BCD numbers and dates, fixed-width character fields and
// binary words, as the printer puts them between ACK and the status bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sim/printer_clock.h"

namespace quelfi::sim::wire {

// The value's last 2 x `bytes` decimal digits as packed BCD, most significant byte first. A
// counter that outgrows its field shows only its low digits, as the printer's own would.
std::string bcd(std::int64_t value, std::size_t bytes);

// A text of decimal digits (even length) as packed BCD.
std::string bcdDigits(std::string_view digits);

// DDMMYY and DDMMYYHHMMSS in packed BCD.
std::string bcdDate(const CivilDate& date);
std::string bcdDateTime(const DateTime& moment);

// The text left-aligned in `width` bytes, filled with blanks (or cut).
std::string text(std::string_view value, std::size_t width);

// A 16-bit word, low byte first.
std::string word(std::uint16_t value);

}  // namespace quelfi::sim::wire
