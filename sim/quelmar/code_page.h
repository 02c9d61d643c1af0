// The printer keeps and prints text in code page 850. People write seeds and read the paper roll
// in UTF-8; these convert between the two.
#pragma once

#include <string>
#include <string_view>

namespace quelfi::sim {

// Characters code page 850 lacks become '?'. Bytes that are not valid UTF-8 pass unchanged.
std::string utf8ToPrinter(std::string_view utf8);

std::string printerToUtf8(std::string_view text);

}  // namespace quelfi::sim
