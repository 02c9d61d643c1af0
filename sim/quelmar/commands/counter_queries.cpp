// Queries of the counters and the running totals: COO and the other counters, grand total,
// cancellations, discounts, surcharges, the last coupon's payment, the time counters.
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/query_support.h"
#include "sim/quelmar/wire_fields.h"

namespace quelfi::sim {
namespace {

// A query answering one number in packed BCD.
void addNumber(CommandRegistry& registry, std::string selector, std::size_t bytes,
               std::int64_t (*value)(const FiscalModel&)) {
    addQuery(registry, std::move(selector), bytes,
             [bytes, value](const FiscalModel& m) { return wire::bcd(value(m), bytes); });
}

}  // namespace

void registerCounterQueries(CommandRegistry& registry) {
    using namespace codes::info;
    addNumber(registry, std::string(1, static_cast<char>(codes::kCouponNumber)), 3,
              [](const FiscalModel& m) -> std::int64_t { return m.counters.coo; });
    addNumber(registry, infoSelector(kGrandTotal), 9,
              [](const FiscalModel& m) -> std::int64_t { return m.grandTotal; });
    addNumber(registry, infoSelector(kCancellations), 7,
              [](const FiscalModel& m) -> std::int64_t { return cancellations(m.day); });
    addNumber(registry, infoSelector(kDiscounts), 7,
              [](const FiscalModel& m) -> std::int64_t { return discounts(m.day); });
    addNumber(registry, infoSelector(kSurcharges), 7,
              [](const FiscalModel& m) -> std::int64_t { return surcharges(m.day); });
    addNumber(registry, infoSelector(kNonFiscalOperations), 3,
              [](const FiscalModel& m) -> std::int64_t { return m.counters.gnf; });
    addNumber(registry, infoSelector(kCancelledCoupons), 2,
              [](const FiscalModel& m) -> std::int64_t { return m.counters.cancelledCoupons; });
    addNumber(registry, infoSelector(kReductions), 2,
              [](const FiscalModel& m) -> std::int64_t { return m.counters.crz; });
    addNumber(registry, infoSelector(kInterventions), 2,
              [](const FiscalModel& m) -> std::int64_t { return m.counters.cro; });
    addNumber(registry, infoSelector(kOwnerSubstitutions), 2,
              [](const FiscalModel& m) -> std::int64_t { return m.counters.ownerSubstitutions; });
    addNumber(registry, infoSelector(kLastItemNumber), 2,
              [](const FiscalModel& m) -> std::int64_t { return m.counters.lastItem; });
    addNumber(registry, infoSelector(kPassengerTickets), 3,
              [](const FiscalModel& m) -> std::int64_t { return m.counters.passengerTickets; });
    addNumber(registry, infoSelector(kLastCouponPaid), 7,
              [](const FiscalModel& m) -> std::int64_t { return m.lastCouponPaid; });
    addNumber(registry, infoSelector(kMinutesOn), 2,
              [](const FiscalModel& m) -> std::int64_t { return m.minutesOn; });
    addNumber(registry, infoSelector(kMinutesPrinting), 2,
              [](const FiscalModel& m) -> std::int64_t { return m.minutesPrinting; });
}

}  // namespace quelfi::sim
