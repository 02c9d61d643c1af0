#include "sim/quelmar/day_layout.h"

#include <cstdio>

#include "sim/quelmar/code_page.h"
#include "sim/quelmar/commands/query_support.h"
#include "sim/quelmar/receipt_layout.h"
#include "sim/quelmar/setting_values.h"

namespace quelfi::sim::layout {

namespace {

std::string row(std::string_view label, Money amount) {
    return spread(label, money(amount));
}

std::string row(std::string_view label, const std::string& value) {
    return spread(label, value);
}

void add(std::vector<std::string>& lines, std::vector<std::string> more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

std::vector<std::string> rateRows(const std::vector<TaxRate>& rates) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < rates.size(); ++i)
        lines.push_back(row(rateLabel(i + 1, rates[i]), rates[i].dayTotal));
    return lines;
}

std::vector<std::string> taxTotals(const DayTotals& d, Money grossSales) {
    return {row("VENDA BRUTA", grossSales), row("CANCELAMENTOS", cancellations(d)),
            row("DESCONTOS", discounts(d)), row("ACRÉSCIMOS", surcharges(d))};
}

std::vector<std::string> untaxedTotals(const DayTotals& d) {
    return {row("ISENÇÃO", exempt(d)), row("NÃO INCIDÊNCIA", nonIncidence(d)),
            row("SUBSTITUIÇÃO TRIBUTÁRIA", substitution(d))};
}

std::vector<std::string> cashMovements(const DayTotals& d) {
    return {row("SANGRIA", d.withdrawals), row("SUPRIMENTO", d.supplies)};
}

}  // namespace

std::string counter(int value, int width) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

std::string rateLabel(std::size_t slot, const TaxRate& rate) {
    return (rate.binding == TaxBinding::Iss ? "S" : "T") + counter(static_cast<int>(slot), 2) +
           " " + money(rate.hundredths) + "%";
}

std::vector<std::string> dayTotals(const FiscalModel& m, Money startTotal) {
    std::vector<std::string> lines;
    lines.push_back(m.movementDate ? "MOVIMENTO DE " + setting::formatDate(*m.movementDate)
                                   : std::string("SEM MOVIMENTO"));
    lines.push_back(rule());
    lines.push_back(centred("CONTADORES"));
    const Counters& c = m.counters;
    add(lines, {row("GNF", counter(c.gnf, 6)), row("CCF", counter(c.ccf, 6)),
                row("GRG", counter(c.grg, 6)), row("CDC", counter(c.cdc, 4)),
                row("CRZ", counter(c.crz, 4)), row("CRO", counter(c.cro, 4)),
                row("CUPONS CANCELADOS", counter(c.cancelledCoupons, 4))});
    lines.push_back(rule());
    lines.push_back(centred("TOTALIZADORES"));
    lines.push_back(row("GRANDE TOTAL", m.grandTotal));
    add(lines, taxTotals(m.day, m.grandTotal - startTotal));
    add(lines, rateRows(m.taxRates));
    add(lines, untaxedTotals(m.day));
    lines.push_back(rule());
    lines.push_back(centred("NÃO FISCAIS"));
    add(lines, cashMovements(m.day));
    for (std::size_t i = 0; i < kNonFiscalSlots; ++i) {
        const NonFiscalTotalizer& t = m.nonFiscalTotalizers[i];
        if (t.name.empty()) continue;
        lines.push_back(row(counter(static_cast<int>(i + 1), 2) + " " + printerToUtf8(t.name) +
                                " (" + counter(t.count, 4) + ")",
                            t.dayTotal));
    }
    lines.push_back(rule());
    lines.push_back(centred("MEIOS DE PAGAMENTO"));
    for (const PaymentForm& form : m.paymentForms)
        lines.push_back(row(printerToUtf8(form.name), form.dayTotal));
    return lines;
}

std::vector<std::string> reductionRecord(const Reduction& z, Money startTotal, bool full) {
    std::vector<std::string> lines;
    lines.push_back(row("CRZ " + counter(z.crz, 4) + "  COO " + counter(z.coo, 6),
                        setting::formatDate(z.movementDate)));
    lines.push_back(row("GRANDE TOTAL", z.grandTotal));
    if (!full) {
        lines.push_back(row("VENDA BRUTA", z.grandTotal - startTotal));
        return lines;
    }
    add(lines, taxTotals(z.totals, z.grandTotal - startTotal));
    add(lines, rateRows(z.rates));
    add(lines, untaxedTotals(z.totals));
    add(lines, cashMovements(z.totals));
    lines.push_back(row("GNF", counter(z.gnf, 6)));
    lines.push_back("REDUÇÃO EM " + setting::formatDateTime(z.madeAt) +
                    (z.automatic ? " (AUTOMÁTICA)" : ""));
    return lines;
}

}  // namespace quelfi::sim::layout
