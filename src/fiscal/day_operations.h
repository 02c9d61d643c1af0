// The fiscal day: the X reading, the Z reduction that closes the day, the fiscal-memory readings,
// the one-call day opening and closing, and the coupon's subtotal.
#pragma once

#include "protocol/road.h"

namespace quelfi::fiscal {

using protocol::Road;

int readingX(const Road& road);
// A plain reduction, or one that also sets the printer's clock (date DDMMAA or DDMMAAAA, time
// HHMMSS, separators allowed).
int reductionZ(const Road& road, const char* date, const char* time);
// The reduction command of old firmware: no reading before, no wait and no records after.
int reductionZOldFirmware(const Road& road);

// The fiscal memory printed for a range of movement dates or of reduction numbers.
int fiscalMemoryByDate(const Road& road, const char* first, const char* last);
int fiscalMemoryByReduction(const Road& road, const char* first, const char* last);

// X reading, then the opening cash as a supply.
int openDay(const Road& road, const char* amount, const char* form);
// The Z reduction.
int closeDay(const Road& road);
// Hands the closing of an X or Z report to the Yanco adapter's `closing`, whatever the model.
int closeXOrZReport(const Road& road, int (*closing)(const Road&));

// The open coupon's subtotal, 14 digits.
int couponSubtotal(const Road& road, char* subtotal);

}  // namespace quelfi::fiscal
