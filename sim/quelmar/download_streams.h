// What the journal printer sends when asked for a download, before it is encoded into blocks: its
// fiscal memory, or its journal (whole, by date, by COO), in the records of the download layout.
#pragma once

#include <string>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim::download {

std::string fiscalMemoryStream(const FiscalModel& model);

// The documents whose COO (or day) lies in the range, ends included.
std::string journalStream(const FiscalModel& model);
std::string journalByDate(const FiscalModel& model, const CivilDate& first, const CivilDate& last);
std::string journalByCoo(const FiscalModel& model, int first, int last);

}  // namespace quelfi::sim::download
