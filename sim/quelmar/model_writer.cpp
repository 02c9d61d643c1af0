// Writing a model as settings text: every field, in an order the reader can take back.
#include <sstream>

#include "sim/quelmar/coupon_text.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/restaurant_text.h"
#include "sim/quelmar/setting_tables.h"
#include "sim/quelmar/setting_values.h"

namespace quelfi::sim {
namespace {

using namespace setting;

std::string amount(Money value) {
    return formatDecimal(value, 2);
}

std::string rateList(const std::vector<TaxRate>& rates) {
    std::string out;
    for (std::size_t i = 0; i < rates.size(); ++i) {
        if (i) out += ',';
        out += formatDecimal(rates[i].hundredths, 2);
        if (rates[i].binding == TaxBinding::Iss) out += "/ISS";
    }
    return out;
}

// A list up to its last entry that is not empty (zero), so files stay short.
template <typename T, typename Format>
std::string trimmedList(const T& values, Format format,
                        bool (*empty)(const typename T::value_type&)) {
    std::size_t used = values.size();
    while (used > 0 && empty(values[used - 1])) --used;
    std::string out;
    for (std::size_t i = 0; i < used; ++i) {
        if (i) out += ',';
        out += format(values[i]);
    }
    return out;
}

template <typename Slot>
bool unnamed(const Slot& slot) {
    return slot.name.empty();
}
template <typename Slot>
std::string slotName(const Slot& slot) {
    return formatText(slot.name, true);
}
template <typename T>
bool zero(const T& value) {
    return value == 0;
}

class Writer {
  public:
    void put(const std::string& key, const std::string& value) {
        out_ << key << '=' << value << '\n';
    }
    // Per-entry values are written only when they differ from a fresh printer's.
    void putAmount(const std::string& key, Money value) {
        if (value != 0) put(key, amount(value));
    }
    std::string text() const { return out_.str(); }

  private:
    std::ostringstream out_;
};

void writeReduction(Writer& w, std::size_t n, const Reduction& z) {
    const std::string p = "z." + std::to_string(n) + ".";
    w.put(p + "crz", std::to_string(z.crz));
    w.put(p + "coo", std::to_string(z.coo));
    w.put(p + "gnf", std::to_string(z.gnf));
    w.put(p + "gt", amount(z.grandTotal));
    w.put(p + "at", formatDateTime(z.madeAt));
    w.put(p + "movement", formatDate(z.movementDate));
    w.put(p + "automatic", z.automatic ? "1" : "0");
    w.put(p + "rates", rateList(z.rates));
    std::string totals;
    for (std::size_t i = 0; i < z.rates.size(); ++i)
        totals += (i ? "," : "") + amount(z.rates[i].dayTotal);
    w.put(p + "ratetotals", totals);
    for (const auto& b : kDayTotals) w.putAmount(p + b.key, z.totals.*b.field);
    w.put(p + "nftotals", trimmedList(z.nonFiscalTotals, amount, zero<Money>));
    w.put(p + "nfcounts",
          trimmedList(
              z.nonFiscalCounts, [](int v) { return std::to_string(v); }, zero<int>));
}

void writeJournalEntry(Writer& w, std::size_t n, const JournalEntry& entry) {
    const std::string p = "journal." + std::to_string(n) + ".";
    w.put(p + "coo", std::to_string(entry.coo));
    w.put(p + "kind", kJournalKinds[static_cast<int>(entry.kind)]);
    w.put(p + "at", formatDateTime(entry.at));
    std::string lines;
    for (std::size_t i = 0; i < entry.lines.size(); ++i)
        lines += (i ? "," : "") + formatText(entry.lines[i], true);
    w.put(p + "lines", lines);
}

}  // namespace

std::string modelText(const FiscalModel& m) {
    Writer w;
    w.put("type", std::to_string(m.printerType));
    w.put("firmware", formatFirmware(m.firmware));
    for (const auto& b : kFlags) w.put(b.key, m.*b.field ? "1" : "0");
    for (const auto& b : kNumbers) w.put(b.key, std::to_string(m.*b.field));
    for (const auto& b : kTexts) w.put(b.key, formatText(m.*b.field));
    for (const auto& b : kAmounts) w.put(b.key, amount(m.*b.field));
    for (const auto& b : kCounters) w.put(b.key, std::to_string(m.counters.*b.field));
    for (const auto& b : kDayTotals) w.put(b.key, amount(m.day.*b.field));
    w.put("paper", kPaperStates[static_cast<int>(m.paper)]);
    w.put("document", kDocumentStates[static_cast<int>(m.document)]);
    w.put("cheque", std::to_string(m.chequeSensor));
    std::string columns;
    for (std::size_t i = 0; i < m.authenticationCharacter.size(); ++i)
        columns += (i ? "," : "") +
                   std::to_string(static_cast<unsigned char>(m.authenticationCharacter[i]));
    w.put("authentication", columns);
    // A long command still running is not kept: the printer starts idle.
    w.put("st3", std::to_string(m.busyUntil ? 0 : m.journalStatus));
    const MechanismLook& look = m.mechanismLook;
    w.put("barcode", std::to_string(look.height) + "," + std::to_string(look.width) + "," +
                         std::to_string(look.position) + "," + std::to_string(look.font) + "," +
                         std::to_string(look.margin));
    if (m.clock.stoppedAt) {
        w.put("clock", formatDateTime(*m.clock.stoppedAt));
    } else {
        w.put("clock.offset", std::to_string(m.clock.offsetSeconds));
    }
    w.put("movement", m.movementDate ? formatDate(*m.movementDate) : "none");

    w.put("rates", rateList(m.taxRates));
    for (std::size_t i = 0; i < m.taxRates.size(); ++i)
        w.putAmount("rate." + std::to_string(i + 1) + ".total", m.taxRates[i].dayTotal);

    std::string payments;
    for (std::size_t i = 0; i < m.paymentForms.size(); ++i) {
        payments += (i ? "," : "") + formatText(m.paymentForms[i].name, true);
        if (m.paymentForms[i].boundReceipt) payments += "/V";
    }
    w.put("payments", payments);
    for (std::size_t i = 0; i < m.paymentForms.size(); ++i) {
        const std::string p = "payment." + std::to_string(i + 1) + ".";
        w.putAmount(p + "total", m.paymentForms[i].dayTotal);
        w.putAmount(p + "last", m.paymentForms[i].lastCoupon);
        w.putAmount(p + "bound", m.bound.covered[i]);
    }
    w.put("bound.coupon", std::to_string(m.bound.coo));

    w.put("totalizers", trimmedList(m.nonFiscalTotalizers, slotName<NonFiscalTotalizer>,
                                    unnamed<NonFiscalTotalizer>));
    for (std::size_t i = 0; i < m.nonFiscalTotalizers.size(); ++i) {
        const std::string p = "totalizer." + std::to_string(i + 1) + ".";
        if (m.nonFiscalTotalizers[i].count != 0)
            w.put(p + "count", std::to_string(m.nonFiscalTotalizers[i].count));
        w.putAmount(p + "total", m.nonFiscalTotalizers[i].dayTotal);
    }

    w.put("departments", trimmedList(m.departments, slotName<Department>, unnamed<Department>));
    for (std::size_t i = 0; i < m.departments.size(); ++i) {
        const std::string p = "department." + std::to_string(i + 1) + ".";
        w.putAmount(p + "total", m.departments[i].dayTotal);
        if (m.departments[i].quantity != 0)
            w.put(p + "quantity", formatDecimal(m.departments[i].quantity, 3));
    }

    for (std::size_t i = 0; i < m.reductions.size(); ++i) writeReduction(w, i + 1, m.reductions[i]);

    w.put("reports", trimmedList(m.reports, slotName<ManagementReport>, unnamed<ManagementReport>));
    for (std::size_t i = 0; i < m.reports.size(); ++i)
        if (m.reports[i].count != 0)
            w.put("report." + std::to_string(i + 1) + ".count", std::to_string(m.reports[i].count));
    const LastBoundReceipt& b = m.lastBound;
    w.put("bound.last", std::to_string(b.coo) + "," + std::to_string(b.form) + "," +
                            amount(b.amount) + "," + std::to_string(b.latestCoo) + "," +
                            (b.reprinted ? "1" : "0") + "," + (b.copied ? "1" : "0") + "," +
                            (b.reversed ? "1" : "0"));
    for (std::size_t i = 0; i < m.journal.size(); ++i) writeJournalEntry(w, i + 1, m.journal[i]);
    return w.text() + couponText(m.coupon) + couponText(m.receipt, "receipt") +
           restaurantText(m.restaurant);
}

}  // namespace quelfi::sim
