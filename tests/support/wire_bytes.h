// Bytes as they cross the line, for tests on either side of it: frames as a host sends them,
// replies as a printer sends them, and ways to write and show them readably.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quelfi::test {

// STX, length (command bytes + 2, low byte first), the command, the byte sum (low byte first).
std::string frameOf(std::string_view command);

// The command of every complete frame in `wire`, in order.
std::vector<std::string> commandsOf(std::string_view wire);

// A command written field by field: the parts one after the other.
std::string concat(std::initializer_list<std::string> parts);

// Bytes from their values.
std::string bytes(std::initializer_list<int> values);

// Packed BCD bytes of an even number of digits: "1234" gives 0x12 0x34.
std::string bcd(std::string_view digits);

// Packed BCD as its decimal digits, two per byte.
std::string bcdDigits(std::string_view data);

// A data reply accepted with clean status: ACK, the data, ST1 0, ST2 0.
std::string dataReply(const std::string& data);

// A raw request for the network driver: the command and its fields, each after an ETB.
std::string rawRequest(std::initializer_list<std::string> fields);

// Texts of the answers: parts joined by a separator, a text cut into fields of the given widths,
// a text blank-filled to a width.
std::string joined(const std::vector<std::string>& parts, const std::string& separator);
std::vector<std::string> cut(const std::string& text, std::initializer_list<std::size_t> widths);
std::string padded(std::string text, std::size_t width);

// "06 00 00": bytes as upper-case hexadecimal pairs separated by blanks.
std::string hex(std::string_view data);

}  // namespace quelfi::test
