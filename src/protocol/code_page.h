// Letters between the printer's code page 850 and the library's Windows-1252.
#pragma once

#include <string>

namespace quelfi::protocol {

// Replaces, in place, each accented letter of code page 850 by the same letter of Windows-1252.
void fromPrinterCodePage(std::string& text);
char fromPrinterCodePage(char byte);

}  // namespace quelfi::protocol
