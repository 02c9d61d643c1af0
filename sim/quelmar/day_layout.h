// How the day's documents look on the paper roll: the totals of a day (X reading and Z
// reduction), the records of the fiscal memory, and free text cut to the paper's width.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim::layout {

// The day in `model` as the X reading and the Z reduction print it: movement date, counters,
// totalizers, rates, non-fiscal totals and payment forms. `startTotal` is the grand total the
// day began with.
std::vector<std::string> dayTotals(const FiscalModel& model, Money startTotal);

// One record of the fiscal memory: its numbers, grand total and gross sales, and in the full
// form also its totalizers. `startTotal` is the grand total its day began with.
std::vector<std::string> reductionRecord(const Reduction& z, Money startTotal, bool full);

// A printer text (code page 850) as paper lines: broken at CR, LF or CR LF and at the paper's
// width.
std::vector<std::string> textLines(std::string_view printerText);

// The value of the totals' rows: "T01 18,00%" for a rate slot.
std::string rateLabel(std::size_t slot, const TaxRate& rate);

// `value` with at least `width` digits.
std::string counter(int value, int width);

}  // namespace quelfi::sim::layout
