// The text of the files exchanged with the TEF manager: one field a line, "NNN-OOO = value", the
// field number, the occurrence and the value from column 10 on. Requests are written with CR LF
// line ends, as a Windows text stream writes them; files are read with either line end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quelfi::tef {

// A request: the lines joined with CR LF, the last ("999-999 = 0") without a line end.
std::string requestText(const std::vector<std::string>& lines);

// The lines of a file: a line feed ends a line, a carriage return before it is dropped; a last
// line without a line end counts.
std::vector<std::string> exchangeLines(std::string_view text);

// Whether a line carries `field` (its first three characters, compared without regard to case).
bool isField(std::string_view line, std::string_view field);

// A line's value: everything from column 10 on ("" for a shorter line).
std::string valueOf(std::string_view line);

// A text read as a decimal number the way the manager's identifications are compared: leading
// blanks and a sign, then digits up to the first other character; 0 without digits. Numbers too
// large for 64 bits are held at the limit.
long long decimalValue(std::string_view text);

// An amount in centavos as money for the operator: "1.234,56"; "0,00" for no digits.
std::string moneyText(std::string_view digits);

}  // namespace quelfi::tef
