// How the day's documents look on the paper roll: the totals of a day (X reading and Z
// reduction), the records of the fiscal memory.
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

// The value of the totals' rows: "T01 18,00%" for a rate slot.
std::string rateLabel(std::size_t slot, const TaxRate& rate);

// `value` with at least `width` digits.
std::string counter(int value, int width);

}  // namespace quelfi::sim::layout
