// Programming the printer: tax rates, totalizer and department names, the currency's symbol and
// names, rounding or truncation, daylight saving, paper feed and spacing, and the reset. One
// family: every member is a row of one table and runs through one runner.
#pragma once

#include "protocol/road.h"

namespace quelfi::fiscal {

using protocol::Road;

enum class Programming {
    TaxRate,             // rate (text), binding (0 ICMS, 1 ISS)
    TotalizerName,       // index 1-50, name
    DepartmentName,      // index 1-20, name
    CurrencySymbol,      // symbol
    CurrencySingular,    // name
    CurrencyPlural,      // name
    Rounding,            //
    Truncation,          //
    DaylightSaving,      // each call switches to the other state
    LinesAfterDocument,  // 1-255
    LineSpacing,         // 0-255
    Reset,               //
};

// Runs the member with its arguments: `text` for the members that take a text, `number` for
// those that take a number (a binding, an index, a count).
int programPrinter(const Road& road, Programming member, const char* text = nullptr,
                   int number = 0);

}  // namespace quelfi::fiscal
