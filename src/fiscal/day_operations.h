// The fiscal day: the X reading, the Z reduction that closes the day, the fiscal-memory readings,
// the one-call day opening and closing, and the coupon's subtotal.
#pragma once

#include <string>

#include "protocol/road.h"

namespace quelfi::fiscal {

using protocol::Road;

int readingX(const Road& road);
// The electronic-journal printers' record of the last reduction, read nested for the library's use.
using JournalReductionRecord = int (*)(const Road& road, std::string& record);

// A plain reduction, or one that also sets the printer's clock (date DDMMAA or DDMMAAAA, time
// HHMMSS, separators allowed). Printers of type 1 and 2 are asked `journalRecord` for the grand
// total the day opened with.
int reductionZ(const Road& road, const char* date, const char* time,
               JournalReductionRecord journalRecord);
// The reduction command of old firmware: no reading before, no wait and no records after.
int reductionZOldFirmware(const Road& road);

// The fiscal memory printed for a range of movement dates or of reduction numbers, or streamed
// into Retorno.txt (LeituraMemoriaFiscalSerialData / SerialReducao).
int fiscalMemoryByDate(const Road& road, const char* first, const char* last, bool toFile = false);
int fiscalMemoryByReduction(const Road& road, const char* first, const char* last,
                            bool toFile = false);
// LeituraXSerial: the X reading's text streamed into Retorno.txt.
int readingXToFile(const Road& road);

// X reading, then the opening cash as a supply.
int openDay(const Road& road, const char* amount, const char* form);
// The Z reduction.
int closeDay(const Road& road, JournalReductionRecord journalRecord);
// Hands the closing of an X or Z report to the Yanco adapter's `closing`, whatever the model.
int closeXOrZReport(const Road& road, int (*closing)(const Road&));

// The open coupon's subtotal, 14 digits.
int couponSubtotal(const Road& road, char* subtotal);

}  // namespace quelfi::fiscal
