// The Yanco printer prints plain ASCII: accented letters of the library's code page (Windows-1252)
// become their plain letters before any text reaches it.
#pragma once

#include <string>

namespace quelfi::yanco {

// Replaces each accented letter by its plain letter, in place; every other byte stays. Without
// `keepLineBreaks`, CR and LF become blanks too.
void stripAccents(std::string& text, bool keepLineBreaks);

}  // namespace quelfi::yanco
