// Queries about the fiscal day: the fiscal flags, the clock, the movement date and the data of
// the last Z reduction kept in the fiscal memory.
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/query_support.h"
#include "sim/quelmar/wire_fields.h"

namespace quelfi::sim {
namespace {

// The last reduction's record, 308 BCD bytes: automatic mark, grand total, cancellations,
// discounts, the 16 rates, 16 rate totals with exemption, non-incidence and substitution,
// withdrawals, supplies, 9 non-fiscal totals and their 9 counters, COO, non-fiscal operations,
// number of rates, movement date, surcharges and the ISS total. Before any reduction: all zero.
std::string lastReductionData(const FiscalModel& m) {
    if (m.reductions.empty()) return std::string(308, '\0');
    const Reduction& z = m.reductions.back();
    std::string rates, rateTotals;
    Money issTotal = 0;
    for (std::size_t i = 0; i < kTaxRateSlots; ++i) {
        const TaxRate rate = i < z.rates.size() ? z.rates[i] : TaxRate{};
        rates += wire::bcd(rate.hundredths, 2);
        rateTotals += wire::bcd(rate.dayTotal, 7);
        if (rate.binding == TaxBinding::Iss) issTotal += rate.dayTotal;
    }
    std::string nonFiscalTotals, nonFiscalCounts;
    for (std::size_t i = 0; i < 9; ++i) {
        nonFiscalTotals += wire::bcd(z.nonFiscalTotals[i], 7);
        nonFiscalCounts += wire::bcd(z.nonFiscalCounts[i], 2);
    }
    return wire::bcd(z.automatic ? 1 : 0, 1) + wire::bcd(z.grandTotal, 9) +
           wire::bcd(cancellations(z.totals), 7) + wire::bcd(discounts(z.totals), 7) + rates +
           rateTotals + wire::bcd(exempt(z.totals), 7) + wire::bcd(nonIncidence(z.totals), 7) +
           wire::bcd(substitution(z.totals), 7) + wire::bcd(z.totals.withdrawals, 7) +
           wire::bcd(z.totals.supplies, 7) + nonFiscalTotals + nonFiscalCounts +
           wire::bcd(z.coo, 3) + wire::bcd(z.gnf, 3) +
           wire::bcd(static_cast<std::int64_t>(z.rates.size()), 1) + wire::bcdDate(z.movementDate) +
           wire::bcd(surcharges(z.totals), 7) + wire::bcd(issTotal, 7);
}

}  // namespace

void registerDayQueries(CommandRegistry& registry) {
    using namespace codes::info;
    addQuery(registry, infoSelector(kFiscalFlags), 1, [](const FiscalModel& m) {
        return std::string(1, static_cast<char>(fiscalFlags(m)));
    });
    addQuery(registry, infoSelector(kClock), 6,
             [](const FiscalModel& m) { return wire::bcdDateTime(m.clock.now()); });
    addQuery(registry, infoSelector(kLastReductionTime), 6, [](const FiscalModel& m) {
        if (m.reductions.empty()) return std::string(6, '\0');
        return wire::bcdDateTime(m.reductions.back().madeAt);
    });
    addQuery(registry, infoSelector(kMovementDate), 3, [](const FiscalModel& m) {
        return m.movementDate ? wire::bcdDate(*m.movementDate) : std::string(3, '\0');
    });
    addQuery(registry, std::string{static_cast<char>(codes::kExtended), codes::kLastReduction}, 308,
             lastReductionData);
}

}  // namespace quelfi::sim
