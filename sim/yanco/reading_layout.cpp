#include "sim/yanco/reading_layout.h"

#include "sim/setting_values.h"
#include "sim/yanco/layouts.h"
#include "sim/yanco/paper_layout.h"

namespace quelfi::sim::yanco::layout {
namespace {

namespace shared = ::quelfi::yanco;

std::string value(std::string_view label, Money money) {
    return spread(label, amount(money));
}

std::string count(std::string_view label, int counter, int width) {
    return spread(label, digits(counter, width));
}

Money netSales(const DayTotals& day, Money gross) {
    return gross - day.cancellations - day.icmsDiscounts - day.issDiscounts;
}

void add(std::vector<std::string>& lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

// The sales of each programmed slot, ICMS and ISS alike, then F, I and N.
std::vector<std::string> slotSales(const Model& m, const DayTotals& d) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < kRateSlots; ++i) {
        const int slot = static_cast<int>(i + 1);
        if (m.rates[i])
            lines.push_back(value(digits(slot, 2) + " " + slotMark(m, slot), d.sales[i]));
    }
    lines.push_back(value("F  SUBSTITUICAO", d.sales[kSubstitutionSlot - 1]));
    lines.push_back(value("I  ISENCAO", d.sales[kExemptSlot - 1]));
    lines.push_back(value("N  NAO INCIDENCIA", d.sales[kNonIncidenceSlot - 1]));
    return lines;
}

}  // namespace

std::vector<std::string> daySections(const Model& m) {
    const DayTotals& d = m.day;
    const Money opening = m.dayOpen ? m.openingTotal : m.grandTotal;
    const Money gross = m.grandTotal - opening;
    std::vector<std::string> lines{headed(shared::kTotalsHeading),
                                   value(shared::kGrandTotal, m.grandTotal),
                                   value(shared::kOpeningGrandTotal, opening),
                                   value(shared::kGrossSales, gross),
                                   value(shared::kCancellations, d.cancellations),
                                   value(shared::kIcmsDiscounts, d.icmsDiscounts),
                                   value(shared::kIssDiscounts, d.issDiscounts),
                                   value(shared::kIcmsSurcharges, d.icmsSurcharges),
                                   value(shared::kIssSurcharges, d.issSurcharges),
                                   value(shared::kNetSales, netSales(d, gross)),
                                   headed(shared::kCountersHeading),
                                   count(shared::kCoo, m.counters.coo, 6),
                                   count(shared::kCcf, m.counters.ccf, 6),
                                   count(shared::kGnf, m.counters.gnf, 6),
                                   count(shared::kGrg, m.counters.grg, 6),
                                   count(shared::kCdc, m.counters.cdc, 6),
                                   count(shared::kCrz, m.counters.crz, 4),
                                   count(shared::kCro, m.counters.cro, 4),
                                   count(shared::kCancelledCoupons, m.counters.cancelledCoupons, 4),
                                   headed(shared::kNonFiscalHeading)};
    for (std::size_t i = 0; i < kNonFiscalTotalizers; ++i) {
        std::string name = printable(m.nonFiscalNames[i]).substr(0, 15);
        name.resize(15, ' ');
        lines.push_back(spread(
            digits(static_cast<int>(i + 1), 2) + " " + name + " " + digits(d.nonFiscalCounts[i], 4),
            amount(d.nonFiscal[i])));
    }
    lines.push_back(headed(shared::kPaymentFormsHeading));
    for (std::size_t i = 0; i < kPaymentForms; ++i) {
        const PaymentForm& form = m.paymentForms[i];
        if (trimmed(form.name).empty()) continue;
        lines.push_back(
            value(digits(static_cast<int>(i + 1), 2) + " " + printable(form.name), form.dayTotal));
    }
    std::vector<std::string> icms{headed(shared::kIcmsHeading)};
    std::vector<std::string> iss{headed(shared::kIssHeading)};
    for (std::size_t i = 0; i < kRateSlots; ++i) {
        if (!m.rates[i]) continue;
        const int slot = static_cast<int>(i + 1);
        (m.rates[i]->tax == Tax::Iss ? iss : icms)
            .push_back(value(digits(slot, 2) + " " + slotMark(m, slot), d.sales[i]));
    }
    icms.push_back(value("F  SUBSTITUICAO", d.sales[kSubstitutionSlot - 1]));
    icms.push_back(value("I  ISENCAO", d.sales[kExemptSlot - 1]));
    icms.push_back(value("N  NAO INCIDENCIA", d.sales[kNonIncidenceSlot - 1]));
    add(lines, icms);
    add(lines, iss);
    return lines;
}

std::vector<std::string> lineReadingTop(const Model& model, std::string_view title) {
    return {std::string(title), spread(setting::formatDateTime(model.clock.now()),
                                       "COO:" + digits(model.counters.coo, 6))};
}

std::vector<std::string> fiscalMemoryOwner(const Model& model) {
    std::vector<std::string> lines{"CNPJ " + printable(model.cnpj)};
    const auto machine = foot(model);
    lines.insert(lines.end(), machine.begin() + 1, machine.end());  // without its rule
    lines.push_back(count(shared::kCro, model.counters.cro, 4));
    return lines;
}

std::vector<std::string> fiscalMemory(const Model& model, const ReadingRange& range) {
    std::vector<std::string> lines;
    if (range.byDate) {
        lines.push_back("PERIODO " + setting::formatDate(range.first) + " A " +
                        setting::formatDate(range.last));
    } else {
        lines.push_back("REDUCOES " + digits(range.firstCrz, 4) + " A " + digits(range.lastCrz, 4));
    }
    lines.push_back(rule());
    bool any = false;
    for (const Reduction& z : model.reductions) {
        const bool inside = range.byDate
                                ? z.movementDate >= range.first && z.movementDate <= range.last
                                : z.crz >= range.firstCrz && z.crz <= range.lastCrz;
        if (!inside) continue;
        any = true;
        const Money gross = z.grandTotal - z.openingTotal;
        const DayTotals& t = z.totals;
        add(lines, {"CRZ " + digits(z.crz, 4) + "  COO " + digits(z.coo, 6) + "  " +
                        setting::formatDate(z.movementDate),
                    value(shared::kGrandTotal, z.grandTotal), value(shared::kGrossSales, gross),
                    value(shared::kNetSales, netSales(t, gross)),
                    value(shared::kCancellations, t.cancellations),
                    value(shared::kIcmsDiscounts, t.icmsDiscounts),
                    value(shared::kIssDiscounts, t.issDiscounts),
                    value(shared::kIcmsSurcharges, t.icmsSurcharges),
                    value(shared::kIssSurcharges, t.issSurcharges)});
        add(lines, slotSales(model, t));
    }
    if (!any) lines.push_back("NENHUMA REDUCAO NO INTERVALO");
    return lines;
}

}  // namespace quelfi::sim::yanco::layout
