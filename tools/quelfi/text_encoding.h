// The library speaks Windows-1252; a Linux terminal speaks UTF-8. The tool converts at its edges:
// what a person types goes to the library in Windows-1252, what the library answers is shown in
// UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace quelfi::tool {

// Every byte as its Windows-1252 character; the five bytes the code page leaves unassigned
// become U+FFFD.
std::string utf8FromWindows1252(std::string_view text);

// A UTF-8 text in Windows-1252; characters the code page lacks become '?'. A text that is not
// valid UTF-8 is taken to be Windows-1252 already and passes unchanged.
std::string windows1252FromUtf8(std::string_view text);

// How many columns a UTF-8 text takes on a terminal: one per character (the tool prints no wide
// characters).
std::size_t displayWidth(std::string_view utf8);

}  // namespace quelfi::tool
