#include "sim/quelmar/fiscal_day.h"

#include "sim/quelmar/codes.h"

namespace quelfi::sim {

namespace {

// Tick counts wrap at 2^32; compare them by their difference.
bool reached(std::uint32_t now, std::uint32_t deadline) {
    return static_cast<std::int32_t>(now - deadline) >= 0;
}

}  // namespace

bool reductionPending(const FiscalModel& model) {
    return model.movementDate && *model.movementDate < model.clock.now().date;
}

bool reductionDoneToday(const FiscalModel& model) {
    return !model.reductions.empty() &&
           model.reductions.back().madeAt.date == model.clock.now().date;
}

bool dayTakesMovement(const FiscalModel& model) {
    return !reductionPending(model) && !reductionDoneToday(model);
}

void startMovement(FiscalModel& model) {
    if (!model.movementDate) model.movementDate = model.clock.now().date;
}

int takeCoo(FiscalModel& model) {
    return ++model.counters.coo;
}

const Reduction& reduceDay(FiscalModel& model) {
    Reduction z;
    z.crz = ++model.counters.crz;
    z.coo = model.counters.coo;
    z.gnf = model.counters.gnf;
    z.grandTotal = model.grandTotal;
    z.madeAt = model.clock.now();
    z.movementDate = model.movementDate.value_or(z.madeAt.date);
    z.rates = model.taxRates;
    z.totals = model.day;
    for (std::size_t i = 0; i < kNonFiscalSlots; ++i) {
        z.nonFiscalTotals[i] = model.nonFiscalTotalizers[i].dayTotal;
        z.nonFiscalCounts[i] = model.nonFiscalTotalizers[i].count;
    }
    model.reductions.push_back(z);

    for (TaxRate& rate : model.taxRates) rate.dayTotal = 0;
    model.day = DayTotals{};
    for (NonFiscalTotalizer& totalizer : model.nonFiscalTotalizers) {
        totalizer.count = 0;
        totalizer.dayTotal = 0;
    }
    for (PaymentForm& form : model.paymentForms) {
        form.dayTotal = 0;
        form.lastCoupon = 0;
    }
    for (Department& department : model.departments) {
        department.dayTotal = 0;
        department.quantity = 0;
    }
    model.bound = BoundReceipts{};
    model.lastCouponCancellable = false;
    model.movementDate.reset();
    return model.reductions.back();
}

Money grandTotalBefore(const FiscalModel& model, std::size_t reductionIndex) {
    return reductionIndex == 0 ? 0 : model.reductions[reductionIndex - 1].grandTotal;
}

void startLongCommand(FiscalModel& model, std::uint32_t until) {
    model.journalStatus = codes::kSt3StillExecuting;
    model.busyUntil = until;
}

void settleLongCommand(FiscalModel& model, std::uint32_t now) {
    if (!model.busyUntil || !reached(now, *model.busyUntil)) return;
    model.journalStatus = codes::kSt3Ready;
    model.busyUntil.reset();
}

}  // namespace quelfi::sim
