// The fiscal day's rules, for every command that needs them: when the day must be closed before
// anything else moves its totals, what a Z reduction writes into the fiscal memory and clears,
// and how long the electronic-journal model stays busy with it.
#pragma once

#include <cstdint>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim {

// How long the electronic-journal model keeps answering ST3 "still executing" after a Z
// reduction, on the line's clock.
inline constexpr std::uint32_t kReductionBusyMs = 3000;

// The day's movement began on an earlier date than the clock's: no sale, nor any other document
// that moves the day's totals, is taken until a Z reduction closes that day.
bool reductionPending(const FiscalModel& model);

// A Z reduction was made today: the fiscal day is over until midnight.
bool reductionDoneToday(const FiscalModel& model);

// Whether a document that moves the day's totals (a coupon, a receipt, a cash movement) may
// start now: neither of the two above.
bool dayTakesMovement(const FiscalModel& model);

// The day's first movement dates the day.
void startMovement(FiscalModel& model);

// Counts a document that starts printing and gives its COO.
int takeCoo(FiscalModel& model);

// Writes the day into the fiscal memory as the next reduction (made now, by the CRZ and COO the
// reduction takes), then clears the day's totals; the grand total goes on.
const Reduction& reduceDay(FiscalModel& model);

// Grand total the day began with: that of the last reduction, or 0 before the first.
Money grandTotalBefore(const FiscalModel& model, std::size_t reductionIndex);

// A long command keeps ST3 at "still executing" until `until`; `settleLongCommand` ends it once
// its time has come (run before every command).
void startLongCommand(FiscalModel& model, std::uint32_t until);
void settleLongCommand(FiscalModel& model, std::uint32_t now);

}  // namespace quelfi::sim
