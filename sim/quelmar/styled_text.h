// Free text of a management report or a bound receipt as the printer prints it, its control
// sequences obeyed rather than printed: ESC "E" and ESC "F" turn bold on and off, ESC SO prints the
// rest of the line in double width. On the paper roll a bold stretch is marked with '*' on either
// side, and a double-width letter takes two columns, the letter and a blank ("T O T A L").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quelfi::sim::layout {

// The text (code page 850) as paper lines: broken at CR, LF or CR LF and at the paper's width,
// without the blanks that end a line. Bold lasts until it is turned off, across lines; double
// width until the line ends.
std::vector<std::string> styledLines(std::string_view printerText);

}  // namespace quelfi::sim::layout
