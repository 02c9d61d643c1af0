// Writing a Yanco model as settings text: every field, in an order the reader can take back.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "sim/setting_values.h"
#include "sim/yanco/model_settings.h"
#include "sim/yanco/model_text.h"

namespace quelfi::sim::yanco {
namespace {

using namespace setting_keys;
using setting::formatDecimal;

class Writer {
  public:
    void put(const std::string& key, const std::string& value) {
        out_ << key << '=' << value << '\n';
    }
    // Values of a table's entries are written only when they are not zero, so files stay short.
    void putAmount(const std::string& key, Money value) {
        if (value != 0) put(key, formatAmount(value));
    }
    std::string text() const { return out_.str(); }

  private:
    std::ostringstream out_;
};

void writeDay(Writer& w, const std::string& prefix, const DayTotals& d) {
    for (const auto& b : kDayAmounts) w.put(prefix + b.key, formatAmount(d.*b.field));
    for (std::size_t i = 0; i < kSaleSlots; ++i)
        w.putAmount(prefix + "sales." + std::to_string(i + 1), d.sales[i]);
    for (std::size_t i = 0; i < kNonFiscalTotalizers; ++i) {
        const std::string p = prefix + "totalizer." + std::to_string(i + 1) + ".";
        if (d.nonFiscalCounts[i] != 0) w.put(p + "count", std::to_string(d.nonFiscalCounts[i]));
        w.putAmount(p + "total", d.nonFiscal[i]);
    }
}

std::string adjustmentText(const Adjustment& a) {
    return formatAmount(a.amount) + (a.percent ? "/" + formatDecimal(a.percent, 2) : "");
}

void writeCoupon(Writer& w, const Coupon& c) {
    w.put("coupon.coo", std::to_string(c.coo));
    w.put("coupon.ended", c.ended ? "1" : "0");
    w.put("coupon.cancelled", c.cancelled ? "1" : "0");
    if (c.adjustment) w.put("coupon.adjustment", adjustmentText(*c.adjustment));
    for (std::size_t i = 0; i < c.items.size(); ++i) {
        const SaleItem& item = c.items[i];
        const Adjustment adjustment = item.adjustment.value_or(Adjustment{});
        w.put("coupon.item." + std::to_string(i + 1),
              std::to_string(item.slot) + "," + formatDecimal(item.quantity, 3) + "," +
                  formatDecimal(item.unitPrice, 3) + "," + (item.threeDecimals ? "1" : "0") + "," +
                  (item.tax == Tax::Iss ? "ISS" : "ICMS") + "," + formatAmount(adjustment.amount) +
                  "," + formatDecimal(adjustment.percent, 2) + "," + (item.cancelled ? "1" : "0") +
                  "," + formatAscii(item.code, true) + "," + formatAscii(item.description, true));
    }
    for (std::size_t i = 0; i < c.payments.size(); ++i)
        w.put("coupon.payment." + std::to_string(i + 1),
              std::to_string(c.payments[i].form) + "," + formatAmount(c.payments[i].amount));
}

template <typename T, std::size_t N, typename Format>
std::string list(const std::array<T, N>& slots, Format format) {
    std::size_t used = N;
    while (used > 0 && format(slots[used - 1]).empty()) --used;
    std::string out;
    for (std::size_t i = 0; i < used; ++i) out += (i ? "," : "") + format(slots[i]);
    return out;
}

}  // namespace

std::string modelText(const Model& m) {
    Writer w;
    for (const auto& b : kTexts) w.put(b.key, formatAscii(m.*b.field));
    for (const auto& b : kNumbers) w.put(b.key, std::to_string(m.*b.field));
    for (const auto& b : kFlags) w.put(b.key, m.*b.field ? "1" : "0");
    for (const auto& b : kAmounts) w.put(b.key, formatAmount(m.*b.field));
    for (const auto& b : kCounters) w.put(b.key, std::to_string(m.counters.*b.field));
    w.put("paper", kPaperStates[static_cast<int>(m.paper)]);
    w.put("document", kDocuments[static_cast<int>(m.document)]);
    if (m.clock.stoppedAt) {
        w.put("clock", setting::formatDateTime(*m.clock.stoppedAt));
    } else {
        w.put("clock.offset", std::to_string(m.clock.offsetSeconds));
    }
    w.put("movement", m.movementDate ? setting::formatDate(*m.movementDate) : "none");
    w.put("rates", list(m.rates, [](const std::optional<Rate>& r) {
              if (!r) return std::string();
              return formatDecimal(r->hundredths, 2) + (r->tax == Tax::Iss ? "/ISS" : "");
          }));
    w.put("payments", list(m.paymentForms, [](const PaymentForm& f) {
              return formatAscii(f.name, true) + (f.boundReceipt ? "/V" : "");
          }));
    w.put("totalizers",
          list(m.nonFiscalNames, [](const std::string& name) { return formatAscii(name, true); }));
    for (std::size_t i = 0; i < kPaymentForms; ++i)
        w.putAmount("payment." + std::to_string(i + 1) + ".total", m.paymentForms[i].dayTotal);
    writeDay(w, "", m.day);
    writeCoupon(w, m.coupon);
    for (std::size_t i = 0; i < m.reductions.size(); ++i) {
        const Reduction& z = m.reductions[i];
        const std::string p = "z." + std::to_string(i + 1) + ".";
        w.put(p + "crz", std::to_string(z.crz));
        w.put(p + "coo", std::to_string(z.coo));
        w.put(p + "at", setting::formatDateTime(z.madeAt));
        w.put(p + "movement", setting::formatDate(z.movementDate));
        w.put(p + "gt.opening", formatAmount(z.openingTotal));
        w.put(p + "gt", formatAmount(z.grandTotal));
        writeDay(w, p, z.totals);
    }
    return w.text();
}

bool saveModel(const Model& model, const std::string& path) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << "# Yanco virtual printer state\n" << modelText(model);
        if (!out.flush()) return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace quelfi::sim::yanco
