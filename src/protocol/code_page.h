// Letters between the printer's code page 850 and the library's Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace quelfi::protocol {

// Replaces, in place, each accented letter of code page 850 by the same letter of Windows-1252.
void fromPrinterCodePage(std::string& text);
char fromPrinterCodePage(char byte);

// The other way: the same accented letters of Windows-1252 become their code page 850 codes;
// every other byte is left as it is.
void toPrinterCodePage(std::string& text);
std::string inPrinterCodePage(std::string_view text);

}  // namespace quelfi::protocol
