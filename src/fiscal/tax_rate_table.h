// The printer's programmed tax rates, cached in PrinterState (taxRateTable) for the process: the
// sale resolves a rate value to its slot against it, the ISS query lists the service-tax rates
// from it.
#pragma once

#include <string>

#include "protocol/road.h"

namespace quelfi::fiscal {

// Reads the rate list from the printer (command 0x1A) into taxRateTable and marks it loaded. No
// log lines. 1; 0 when the printer did not answer or refused the command; the port opening's code
// when the port did not open. On failure the cached table stays as it was.
int readTaxRateTable(const protocol::Road& road);

// Fills taxRateTable from the rate list as the reply shows it: two digits of count C, then four
// digits per rate; slots after C are empty.
void storeTaxRateList(const std::string& list);

}  // namespace quelfi::fiscal
