// Helpers for tests that talk to the virtual printer byte by byte: building frames as a host
// sends them, writing and showing bytes readably, decoding reply data.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace quelfi::test {

// STX, length (command bytes + 2, low byte first), the command, the byte sum (low byte first).
std::string frameOf(std::string_view command);

// Bytes from their values.
std::string bytes(std::initializer_list<int> values);

// "06 00 00": bytes as upper-case hexadecimal pairs separated by blanks.
std::string hex(std::string_view data);

// Packed BCD as its decimal digits, two per byte.
std::string bcdDigits(std::string_view data);

}  // namespace quelfi::test
