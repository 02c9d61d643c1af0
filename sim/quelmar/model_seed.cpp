// Reading the settings text into a model.
#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "sim/quelmar/coupon_text.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/restaurant_text.h"
#include "sim/quelmar/setting_tables.h"
#include "sim/quelmar/setting_values.h"

namespace quelfi::sim {
namespace {

using namespace setting;

std::string_view trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// One setting's key and value; turns value errors into the message the caller reports.
class Setting {
  public:
    Setting(std::string_view key, std::string_view value) : key_(key), value_(value) {}

    std::string_view value() const { return value_; }
    std::string bad() const {
        return "bad value for '" + std::string(key_) + "': '" + std::string(value_) + "'";
    }

  private:
    std::string_view key_;
    std::string_view value_;
};

class SeedReader {
  public:
    explicit SeedReader(FiscalModel& model) : m_(model) {}

    // Empty when the setting was applied, else the error.
    std::string apply(std::string_view key, std::string_view value);

  private:
    std::string applyIndexed(std::string_view key, const Setting& s);
    std::string applyReduction(Reduction& z, std::string_view key, const Setting& s);

    FiscalModel& m_;
};

template <typename T>
bool inRange(std::int64_t value, std::int64_t low, std::int64_t high, T& out) {
    if (value < low || value > high) return false;
    out = static_cast<T>(value);
    return true;
}

bool parseCount(std::string_view text, int& out) {
    auto v = parseInteger(text);
    return v && inRange(*v, 0, 999999999, out);
}

bool parseAmountInto(std::string_view text, Money& out) {
    auto v = parseDecimal(text, 2);
    if (!v) return false;
    out = *v;
    return true;
}

// "18.00/ISS" entries: rates in hundredths with their binding, totals cleared.
bool parseRates(std::string_view text, std::vector<TaxRate>& out) {
    std::vector<TaxRate> rates;
    for (std::string_view entry : splitList(text)) {
        TaxRate rate;
        const std::size_t slash = entry.find('/');
        if (slash != std::string_view::npos) {
            const std::string_view binding = entry.substr(slash + 1);
            if (binding == "ISS") {
                rate.binding = TaxBinding::Iss;
            } else if (binding != "ICMS") {
                return false;
            }
            entry = entry.substr(0, slash);
        }
        auto value = parseDecimal(entry, 2);
        if (!value || !inRange(*value, 0, 9999, rate.hundredths)) return false;
        rates.push_back(rate);
    }
    if (rates.size() > kTaxRateSlots) return false;
    out = std::move(rates);
    return true;
}

bool parsePayments(std::string_view text, std::vector<PaymentForm>& out) {
    std::vector<PaymentForm> forms;
    for (std::string_view entry : splitList(text)) {
        PaymentForm form;
        if (entry.size() >= 2 && entry.substr(entry.size() - 2) == "/V") {
            form.boundReceipt = true;
            entry.remove_suffix(2);
        }
        auto name = parseText(entry);
        if (!name || name->empty()) return false;
        form.name = *name;
        forms.push_back(std::move(form));
    }
    if (forms.size() > kPaymentFormSlots) return false;
    out = std::move(forms);
    return true;
}

// Names of slot tables; every slot not listed is cleared.
template <typename Slot, std::size_t N>
bool parseNames(std::string_view text, std::array<Slot, N>& slots) {
    const auto entries = splitList(text);
    if (entries.size() > N) return false;
    std::array<Slot, N> fresh{};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto name = parseText(entries[i]);
        if (!name) return false;
        fresh[i].name = *name;
    }
    slots = fresh;
    return true;
}

template <typename T, std::size_t N, typename Parse>
bool parseValues(std::string_view text, std::array<T, N>& out, Parse parse) {
    const auto entries = splitList(text);
    if (entries.size() > N) return false;
    std::array<T, N> values{};
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!parse(entries[i], values[i])) return false;
    out = values;
    return true;
}

// "N.rest" after a table's prefix: the 1-based slot number and the rest of the key.
bool splitIndex(std::string_view key, std::size_t& index, std::string_view& rest) {
    const std::size_t dot = key.find('.');
    auto number = parseInteger(key.substr(0, dot));
    if (!number || *number < 1 || dot == std::string_view::npos) return false;
    index = static_cast<std::size_t>(*number);
    rest = key.substr(dot + 1);
    return true;
}

template <typename Enum, std::size_t N>
bool parseName(std::string_view text, const char* const (&names)[N], Enum& out) {
    for (std::size_t i = 0; i < N; ++i) {
        if (text == names[i]) {
            out = static_cast<Enum>(i);
            return true;
        }
    }
    return false;
}

// The authentication character: its 18 column bytes as numbers, or nothing.
bool parseAuthentication(std::string_view text, std::string& out) {
    const auto entries = splitList(text);
    if (!entries.empty() && entries.size() != 18) return false;
    std::string columns;
    for (std::string_view entry : entries) {
        auto v = parseInteger(entry);
        if (!v || *v < 0 || *v > 255) return false;
        columns += static_cast<char>(*v);
    }
    out = columns;
    return true;
}

// The print mechanism's barcode look: height, module width, text position, font and margin.
bool parseBarcodeLook(std::string_view text, MechanismLook& look) {
    int* const fields[] = {&look.height, &look.width, &look.position, &look.font, &look.margin};
    const int low[] = {1, 2, 0, 0, 0};
    const int high[] = {255, 4, 3, 1, 575};
    for (std::size_t i = 0; i < 5; ++i) {
        const std::size_t comma = text.find(',');
        if ((i < 4) == (comma == std::string_view::npos)) return false;
        const auto v = parseInteger(text.substr(0, comma));
        if (!v || !inRange(*v, low[i], high[i], *fields[i])) return false;
        text = i < 4 ? text.substr(comma + 1) : std::string_view();
    }
    return true;
}

bool parseFirmware(std::string_view text, std::array<int, 3>& out) {
    if (text.size() != 8 || text[2] != '.' || text[5] != '.') return false;
    std::array<int, 3> parts{};
    for (std::size_t i = 0; i < 3; ++i) {
        auto part = parseInteger(text.substr(i * 3, 2));
        if (!part || !inRange(*part, 0, 99, parts[i])) return false;
    }
    out = parts;
    return true;
}

// "coo,form,amount,latest,reprinted,copied,reversed".
bool parseLastBound(std::string_view text, LastBoundReceipt& out) {
    const auto f = splitList(text);
    if (f.size() != 7) return false;
    LastBoundReceipt b;
    auto reprinted = parseFlag(f[4]), copied = parseFlag(f[5]), reversed = parseFlag(f[6]);
    if (!parseCount(f[0], b.coo) || !parseCount(f[1], b.form) || !parseAmountInto(f[2], b.amount) ||
        !parseCount(f[3], b.latestCoo) || !reprinted || !copied || !reversed)
        return false;
    b.reprinted = *reprinted;
    b.copied = *copied;
    b.reversed = *reversed;
    out = b;
    return true;
}

CivilDate nextDay(CivilDate d) {
    if (isValid(CivilDate{d.year, d.month, d.day + 1})) return {d.year, d.month, d.day + 1};
    return d.month == 12 ? CivilDate{d.year + 1, 1, 1} : CivilDate{d.year, d.month + 1, 1};
}

// history=DATE,DAYS: from DATE on, each day three coupons and the day's Z reduction in the journal
// and the fiscal memory, so downloads by date and a month's Sintegra registers have content.
bool addHistory(FiscalModel& m, std::string_view value) {
    const std::size_t comma = value.find(',');
    if (comma == std::string_view::npos) return false;
    const std::optional<CivilDate> first = parseDate(value.substr(0, comma));
    int days = 0;
    if (!first || !parseCount(value.substr(comma + 1), days) || days < 1 || days > 366)
        return false;
    m.electronicJournal = true;
    CivilDate day = *first;
    for (int n = 0; n < days; ++n, day = nextDay(day)) {
        Money dayTotal = 0;
        for (int sale = 1; sale <= 3; ++sale) {
            JournalEntry e;
            e.coo = ++m.counters.coo;
            e.kind = JournalKind::Coupon;
            e.at = {day, 9 + sale, 15, 0};
            const Money amount = 100 * (sale + n % 7);
            dayTotal += amount;
            e.lines = {"CUPOM FISCAL",
                       "001 PRODUTO " + std::to_string(sale) + "  1 UN x " +
                           std::to_string(amount / 100) + ",00",
                       "TOTAL R$ " + std::to_string(amount / 100) + ",00"};
            m.journal.push_back(e);
        }
        JournalEntry z;
        z.coo = ++m.counters.coo;
        z.kind = JournalKind::ReductionZ;
        z.at = {day, 23, 0, 0};
        z.lines = {"REDUCAO Z"};
        m.journal.push_back(z);
        Reduction r;
        r.crz = ++m.counters.crz;
        r.coo = z.coo;
        r.grandTotal = (m.reductions.empty() ? 0 : m.reductions.back().grandTotal) + dayTotal;
        r.madeAt = z.at;
        r.movementDate = day;
        m.reductions.push_back(r);
    }
    return true;
}

bool applyJournalEntry(JournalEntry& entry, std::string_view field, std::string_view value) {
    if (field == "coo") return parseCount(value, entry.coo);
    if (field == "kind") return parseName(value, kJournalKinds, entry.kind);
    if (field == "at") {
        auto v = parseDateTime(value);
        if (v) entry.at = *v;
        return v.has_value();
    }
    if (field != "lines") return false;
    std::vector<std::string> lines;
    for (std::string_view line : splitList(value)) {
        auto text = parseText(line);
        if (!text) return false;
        lines.push_back(*text);
    }
    entry.lines = std::move(lines);
    return true;
}

std::string SeedReader::apply(std::string_view key, std::string_view value) {
    const Setting s(key, value);
    for (const auto& b : kFlags) {
        if (key != b.key) continue;
        auto v = parseFlag(value);
        if (!v) return s.bad();
        m_.*b.field = *v;
        return {};
    }
    for (const auto& b : kNumbers) {
        if (key == b.key) return parseCount(value, m_.*b.field) ? "" : s.bad();
    }
    for (const auto& b : kTexts) {
        if (key != b.key) continue;
        auto v = parseText(value);
        if (!v) return s.bad();
        m_.*b.field = *v;
        return {};
    }
    for (const auto& b : kAmounts) {
        if (key == b.key) return parseAmountInto(value, m_.*b.field) ? "" : s.bad();
    }
    for (const auto& b : kCounters) {
        if (key == b.key) return parseCount(value, m_.counters.*b.field) ? "" : s.bad();
    }
    for (const auto& b : kDayTotals) {
        if (key == b.key) return parseAmountInto(value, m_.day.*b.field) ? "" : s.bad();
    }
    bool ok = true;
    if (key == "type") {
        ok = parseCount(value, m_.printerType) && m_.printerType >= 1 && m_.printerType <= 8;
    } else if (key == "firmware") {
        ok = parseFirmware(value, m_.firmware);
    } else if (key == "paper") {
        ok = parseName(value, kPaperStates, m_.paper);
    } else if (key == "document") {
        ok = parseName(value, kDocumentStates, m_.document);
    } else if (key == "cheque") {
        auto v = parseInteger(value);
        ok = v && inRange(*v, 0, 255, m_.chequeSensor);
    } else if (key == "barcode") {
        ok = parseBarcodeLook(value, m_.mechanismLook);
    } else if (key == "authentication") {
        ok = parseAuthentication(value, m_.authenticationCharacter);
    } else if (key == "st3") {
        auto v = parseInteger(value);
        ok = v && inRange(*v, 0, 65535, m_.journalStatus);
    } else if (key == "clock") {
        auto v = parseDateTime(value);
        ok = v.has_value();
        if (ok) m_.clock = {*v, 0};
    } else if (key == "clock.offset") {
        auto v = parseInteger(value);
        ok = v.has_value();
        if (ok) m_.clock = {std::nullopt, *v};
    } else if (key == "bound.coupon") {
        ok = parseCount(value, m_.bound.coo);
    } else if (key == "movement") {
        auto v = parseDate(value);
        ok = v || value == "none";
        m_.movementDate = v;
    } else if (key == "rates") {
        ok = parseRates(value, m_.taxRates);
    } else if (key == "payments") {
        ok = parsePayments(value, m_.paymentForms);
    } else if (key == "totalizers") {
        ok = parseNames(value, m_.nonFiscalTotalizers);
    } else if (key == "departments") {
        ok = parseNames(value, m_.departments);
    } else if (key == "reports") {
        ok = parseNames(value, m_.reports);
    } else if (key == "history") {
        ok = addHistory(m_, value);
    } else if (key == "bound.last") {
        ok = parseLastBound(value, m_.lastBound);
    } else if (key.starts_with("coupon.")) {
        return applyCouponSetting(m_.coupon, key.substr(7), value);
    } else if (key.starts_with("receipt.")) {
        return applyCouponSetting(m_.receipt, key.substr(8), value, "receipt");
    } else if (isRestaurantSetting(key)) {
        return applyRestaurantSetting(m_.restaurant, key, value);
    } else {
        return applyIndexed(key, s);
    }
    return ok ? "" : s.bad();
}

std::string SeedReader::applyIndexed(std::string_view key, const Setting& s) {
    const std::string unknown = "unknown setting '" + std::string(key) + "'";
    const std::size_t dot = key.find('.');
    if (dot == std::string_view::npos) return unknown;
    const std::string_view table = key.substr(0, dot);
    std::size_t n = 0;
    std::string_view field;
    if (!splitIndex(key.substr(dot + 1), n, field)) return unknown;
    const std::string_view value = s.value();
    bool ok = false;
    if (table == "rate" && field == "total") {
        if (n > m_.taxRates.size())
            return "no rate " + std::to_string(n) + " for '" + std::string(key) + "'";
        ok = parseAmountInto(value, m_.taxRates[n - 1].dayTotal);
    } else if (table == "payment" && (field == "total" || field == "last" || field == "bound")) {
        if (n > m_.paymentForms.size())
            return "no payment form " + std::to_string(n) + " for '" + std::string(key) + "'";
        PaymentForm& form = m_.paymentForms[n - 1];
        Money& amount = field == "total"  ? form.dayTotal
                        : field == "last" ? form.lastCoupon
                                          : m_.bound.covered[n - 1];
        ok = parseAmountInto(value, amount);
    } else if (table == "totalizer" && n <= kNonFiscalSlots && field == "count") {
        ok = parseCount(value, m_.nonFiscalTotalizers[n - 1].count);
    } else if (table == "totalizer" && n <= kNonFiscalSlots && field == "total") {
        ok = parseAmountInto(value, m_.nonFiscalTotalizers[n - 1].dayTotal);
    } else if (table == "department" && n <= kDepartmentSlots && field == "total") {
        ok = parseAmountInto(value, m_.departments[n - 1].dayTotal);
    } else if (table == "department" && n <= kDepartmentSlots && field == "quantity") {
        auto v = parseDecimal(value, 3);
        ok = v.has_value();
        if (ok) m_.departments[n - 1].quantity = *v;
    } else if (table == "report" && n <= kManagementReports && field == "count") {
        ok = parseCount(value, m_.reports[n - 1].count);
    } else if (table == "journal" && n <= m_.journal.size() + 1) {
        if (n == m_.journal.size() + 1) m_.journal.emplace_back();
        ok = applyJournalEntry(m_.journal[n - 1], field, value);
    } else if (table == "z" && n <= m_.reductions.size() + 1) {
        if (n == m_.reductions.size() + 1) m_.reductions.emplace_back();
        return applyReduction(m_.reductions[n - 1], field, s);
    } else {
        return unknown;
    }
    return ok ? "" : s.bad();
}

std::string SeedReader::applyReduction(Reduction& z, std::string_view key, const Setting& s) {
    const std::string_view value = s.value();
    for (const auto& b : kDayTotals) {
        if (key == b.key) return parseAmountInto(value, z.totals.*b.field) ? "" : s.bad();
    }
    bool ok = false;
    if (key == "crz") {
        ok = parseCount(value, z.crz);
    } else if (key == "coo") {
        ok = parseCount(value, z.coo);
    } else if (key == "gnf") {
        ok = parseCount(value, z.gnf);
    } else if (key == "gt") {
        ok = parseAmountInto(value, z.grandTotal);
    } else if (key == "automatic") {
        auto v = parseFlag(value);
        ok = v.has_value();
        if (ok) z.automatic = *v;
    } else if (key == "at") {
        auto v = parseDateTime(value);
        ok = v.has_value();
        if (ok) z.madeAt = *v;
    } else if (key == "bound.coupon") {
        ok = parseCount(value, m_.bound.coo);
    } else if (key == "movement") {
        auto v = parseDate(value);
        ok = v.has_value();
        if (ok) z.movementDate = *v;
    } else if (key == "rates") {
        ok = parseRates(value, z.rates);
    } else if (key == "ratetotals") {
        const auto entries = splitList(value);
        ok = entries.size() <= z.rates.size();
        for (std::size_t i = 0; ok && i < entries.size(); ++i)
            ok = parseAmountInto(entries[i], z.rates[i].dayTotal);
    } else if (key == "nftotals") {
        ok = parseValues(value, z.nonFiscalTotals, parseAmountInto);
    } else if (key == "nfcounts") {
        ok = parseValues(value, z.nonFiscalCounts, parseCount);
    } else {
        return "unknown setting 'z.N." + std::string(key) + "'";
    }
    return ok ? "" : s.bad();
}

}  // namespace

std::optional<std::string> applySeed(FiscalModel& model, std::string_view seed) {
    SeedReader reader(model);
    while (!seed.empty()) {
        const std::size_t end = seed.find_first_of(";\n");
        const std::string_view item = trim(seed.substr(0, end));
        seed = end == std::string_view::npos ? std::string_view() : seed.substr(end + 1);
        if (item.empty() || item.front() == '#') continue;
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos)
            return "setting without '=': '" + std::string(item) + "'";
        std::string key(trim(item.substr(0, equals)));
        std::transform(key.begin(), key.end(), key.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        std::string error = reader.apply(key, trim(item.substr(equals + 1)));
        if (!error.empty()) return error;
    }
    return std::nullopt;
}

FiscalModel modelFromSeed(std::string_view seed) {
    FiscalModel model;
    if (auto error = applySeed(model, seed)) throw std::invalid_argument(*error);
    return model;
}

}  // namespace quelfi::sim
