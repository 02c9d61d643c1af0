// The Yanco protocol's frames built by the tests themselves, independently of the virtual
// printer: the host's command frame and the printer's reply frame, each with its 16-bit sum.
#pragma once

#include <string>
#include <string_view>

namespace quelfi::test {

// STX, the four-digit sequence number, the command, ETX, and the sum of STX..ETX, high byte
// first.
std::string yancoFrame(std::string_view sequence, std::string_view command);

// DC4, the sequence number, the continuation mark, the two-character code, the body (status
// and data), ETX, and the sum of DC4..ETX, high byte first.
std::string yancoReply(std::string_view sequence, char mark, std::string_view code,
                       std::string_view body);

}  // namespace quelfi::test
