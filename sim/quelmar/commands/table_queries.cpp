// Queries of the programmed tables and the totalizers kept per entry: tax rates and their ISS
// binding, partial totalizers, payment forms, non-fiscal totalizers and departments.
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/query_support.h"
#include "sim/quelmar/wire_fields.h"

namespace quelfi::sim {
namespace {

// The non-fiscal totalizers the short queries report: the first nine slots.
constexpr std::size_t kShortNonFiscalList = 9;

// An amount in a 20-digit field: the centavos in the first 18 digits, then two zero digits.
std::string amount20(Money value) {
    return wire::bcd(value, 9) + std::string(1, '\0');
}

// A name field: blank-filled when programmed, zero bytes when the slot is empty.
std::string nameField(const std::string& name, std::size_t width) {
    return name.empty() ? std::string(width, '\0') : wire::text(name, width);
}

// Count byte, then 16 rates of 4 digits (zero for slots not programmed).
std::string taxRates(const FiscalModel& m) {
    std::string out(1, static_cast<char>(m.taxRates.size()));
    for (std::size_t i = 0; i < kTaxRateSlots; ++i)
        out += wire::bcd(i < m.taxRates.size() ? m.taxRates[i].hundredths : 0, 2);
    return out;
}

// Value 128 of the first byte is slot 1, value 1 of the second byte slot 16.
std::string issRateMap(const FiscalModel& m) {
    std::uint16_t bits = 0;
    for (std::size_t i = 0; i < m.taxRates.size() && i < kTaxRateSlots; ++i)
        if (m.taxRates[i].binding == TaxBinding::Iss)
            bits |= static_cast<std::uint16_t>(0x8000 >> i);
    return {static_cast<char>(bits >> 8), static_cast<char>(bits & 0xFF)};
}

// 16 rate totals, exemption, non-incidence, substitution, 9 non-fiscal totals, withdrawals,
// supplies (14 digits each) and the grand total (18 digits).
std::string partialTotals(const FiscalModel& m) {
    std::string out;
    for (std::size_t i = 0; i < kTaxRateSlots; ++i)
        out += wire::bcd(i < m.taxRates.size() ? m.taxRates[i].dayTotal : 0, 7);
    out += wire::bcd(exempt(m.day), 7) + wire::bcd(nonIncidence(m.day), 7) +
           wire::bcd(substitution(m.day), 7);
    for (std::size_t i = 0; i < kShortNonFiscalList; ++i)
        out += wire::bcd(m.nonFiscalTotalizers[i].dayTotal, 7);
    return out + wire::bcd(m.day.withdrawals, 7) + wire::bcd(m.day.supplies, 7) +
           wire::bcd(m.grandTotal, 9);
}

std::string nonFiscalCounters(const FiscalModel& m) {
    std::string out;
    for (std::size_t i = 0; i < kShortNonFiscalList; ++i)
        out += wire::bcd(m.nonFiscalTotalizers[i].count, 2);
    return out;
}

std::string nonFiscalNames(const FiscalModel& m) {
    std::string out;
    for (std::size_t i = 0; i < kShortNonFiscalList; ++i)
        out += wire::text(m.nonFiscalTotalizers[i].name, 19);
    return out;
}

// Number of forms, 52 names of 16, 52 day totals, 52 last-coupon amounts, 52 flag bytes.
std::string paymentFormTable(const FiscalModel& m) {
    std::string names, totals, lastCoupon, flags;
    for (std::size_t i = 0; i < kPaymentFormSlots; ++i) {
        const PaymentForm form = i < m.paymentForms.size() ? m.paymentForms[i] : PaymentForm{};
        names += nameField(form.name, 16);
        totals += amount20(form.dayTotal);
        lastCoupon += amount20(form.lastCoupon);
        flags += static_cast<char>(form.boundReceipt ? 1 : 0);
    }
    return std::string(1, static_cast<char>(m.paymentForms.size())) + names + totals + lastCoupon +
           flags;
}

// 50 records: count (word), day total (20 digits), name (19).
std::string nonFiscalTable(const FiscalModel& m) {
    std::string out;
    for (const auto& totalizer : m.nonFiscalTotalizers) {
        out += wire::word(static_cast<std::uint16_t>(totalizer.count));
        out += amount20(totalizer.dayTotal);
        out += nameField(totalizer.name, 19);
    }
    return out;
}

// 20 records: day total (20 digits), quantity in thousandths (19 digits and a zero), name (10).
std::string departmentTable(const FiscalModel& m) {
    std::string out;
    for (const auto& department : m.departments) {
        out += amount20(department.dayTotal);
        // 19 digits then a zero digit: shift one place left in 20 digits.
        out += wire::bcd(department.quantity * 10, 10);
        out += nameField(department.name, 10);
    }
    return out;
}

}  // namespace

void registerTableQueries(CommandRegistry& registry) {
    using namespace codes::info;
    addQuery(registry, std::string(1, static_cast<char>(codes::kTaxRates)), 33, taxRates);
    addQuery(registry, infoSelector(kIssRates), 2, issRateMap);
    addQuery(registry, std::string(1, static_cast<char>(codes::kPartialTotals)), 219,
             partialTotals);
    addQuery(registry, infoSelector(kNonFiscalCounters), 18, nonFiscalCounters);
    addQuery(registry, infoSelector(kNonFiscalNames), 171, nonFiscalNames);
    addQuery(registry, infoSelector(kPaymentFormTable), 1925, paymentFormTable);
    addQuery(registry, infoSelector(kNonFiscalTable), 1550, nonFiscalTable);
    addQuery(registry, infoSelector(kDepartmentTable), 600, departmentTable);
}

}  // namespace quelfi::sim
