#include "sim/quelmar/download_streams.h"

#include <cstdio>
#include <functional>

#include "quelmfd/download_layout.h"

namespace quelfi::sim::download {
namespace {

namespace layout = quelmfd::layout;

std::string digits(int value, int width) {
    char out[16];
    std::snprintf(out, sizeof out, "%0*d", width, value);
    return out;
}

std::string dateText(const CivilDate& d) {
    return digits(d.day, 2) + digits(d.month, 2) + digits(d.year, 4);
}

std::string timeText(const DateTime& t) {
    return digits(t.hour, 2) + digits(t.minute, 2) + digits(t.second, 2);
}

std::string money(Money amount) {
    return std::to_string(amount);
}

std::string rates(const Reduction& z) {
    std::string out;
    for (const TaxRate& rate : z.rates) {
        if (!out.empty()) out += ';';
        out += (rate.binding == TaxBinding::Iss ? "S" : "T") + digits(rate.hundredths, 4) + "=" +
               money(rate.dayTotal);
    }
    return out;
}

Money gross(const Reduction& z) {
    Money total = z.totals.icmsExempt + z.totals.icmsNonIncidence + z.totals.icmsSubstitution +
                  z.totals.issExempt + z.totals.issNonIncidence + z.totals.issSubstitution +
                  z.totals.icmsCancellations + z.totals.issCancellations + z.totals.icmsDiscounts +
                  z.totals.issDiscounts;
    for (const TaxRate& rate : z.rates) total += rate.dayTotal;
    return total;
}

std::string journal(const FiscalModel& model, const std::function<bool(const JournalEntry&)>& in) {
    std::string out;
    for (const JournalEntry& entry : model.journal) {
        if (!in(entry)) continue;
        const auto kind = static_cast<std::size_t>(entry.kind);
        out += layout::record(
            layout::kDocument,
            {digits(entry.coo, 6), std::string(layout::kKinds[kind]), dateText(entry.at.date),
             timeText(entry.at), std::to_string(entry.lines.size())});
        for (const std::string& line : entry.lines) out += layout::record(layout::kLine, {line});
    }
    return out;
}

}  // namespace

std::string fiscalMemoryStream(const FiscalModel& model) {
    std::string out = layout::record(
        layout::kPrinter, {model.serialNumber, model.cnpj, model.stateRegistration, model.cliche,
                           digits(model.storeNumber, 3), digits(model.registerNumber, 3)});
    int firstCoo = 1;
    for (const Reduction& z : model.reductions) {
        const Money discounts = z.totals.icmsDiscounts + z.totals.issDiscounts;
        const Money cancellations = z.totals.icmsCancellations + z.totals.issCancellations;
        out += layout::record(
            layout::kReduction,
            {digits(z.crz, 4), digits(firstCoo, 6), digits(z.coo, 6), digits(model.counters.cro, 4),
             dateText(z.movementDate), money(z.grandTotal), money(gross(z)), money(cancellations),
             money(discounts), money(z.totals.icmsExempt + z.totals.issExempt),
             money(z.totals.icmsNonIncidence + z.totals.issNonIncidence),
             money(z.totals.icmsSubstitution + z.totals.issSubstitution), rates(z)});
        firstCoo = z.coo + 1;
    }
    return out;
}

std::string journalStream(const FiscalModel& model) {
    return journal(model, [](const JournalEntry&) { return true; });
}

std::string journalByDate(const FiscalModel& model, const CivilDate& first, const CivilDate& last) {
    return journal(
        model, [&](const JournalEntry& e) { return !(e.at.date < first) && !(last < e.at.date); });
}

std::string journalByCoo(const FiscalModel& model, int first, int last) {
    return journal(model, [&](const JournalEntry& e) { return e.coo >= first && e.coo <= last; });
}

}  // namespace quelfi::sim::download
