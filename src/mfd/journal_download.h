// The journal download's exports: the fiscal memory, or the fiscal memory and the journal (whole,
// by date, by COO), copied from the printer into the caller's file.
#pragma once

#include "protocol/road.h"

namespace quelfi::mfd {

int downloadJournal(const protocol::Road& road, const char* file, const char* kind,
                    const char* first, const char* last, const char* user);
int downloadFiscalMemory(const protocol::Road& road, const char* file);

// The internal operations, also run by the Sintegra report; each logs its own name and result.
int downloadJournalTotal(const char* file);
int downloadJournalByDate(const char* file, const char* startDate, const char* endDate);
int downloadJournalByCoo(const char* file, const char* startCoo, const char* endCoo,
                         const char* user);

}  // namespace quelfi::mfd
