// Reading the Yanco printer's settings text into a model.
#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "sim/setting_values.h"
#include "sim/yanco/model_settings.h"
#include "sim/yanco/model_text.h"

namespace quelfi::sim::yanco {

namespace setting_keys {

std::optional<Money> parseAmount(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    const auto value = setting::parseDecimal(text, 2);
    if (!value) return std::nullopt;
    return negative ? -*value : *value;
}

std::string formatAmount(Money value) {
    return setting::formatDecimal(value, 2);
}

std::optional<std::string> parseAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
    return setting::unescapeText(text);
}

std::string formatAscii(std::string_view text, bool listEntry) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : setting::escapeText(text, listEntry)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

}  // namespace setting_keys

namespace {

using namespace setting_keys;
using setting::parseDecimal;
using setting::parseFlag;
using setting::parseInteger;
using setting::splitList;

std::string_view trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool parseCount(std::string_view text, int& out) {
    const auto v = parseInteger(text);
    if (!v || *v < 0 || *v > 999999999) return false;
    out = static_cast<int>(*v);
    return true;
}

bool parseAmountInto(std::string_view text, Money& out) {
    const auto v = parseAmount(text);
    if (v) out = *v;
    return v.has_value();
}

template <std::size_t N>
bool parseName(std::string_view text, const char* const (&names)[N], int& out) {
    for (std::size_t i = 0; i < N; ++i) {
        if (text != names[i]) continue;
        out = static_cast<int>(i);
        return true;
    }
    return false;
}

// "N.rest": a 1-based slot number up to `slots`, and the rest of the key ("" when none).
bool splitIndex(std::string_view key, std::size_t slots, std::size_t& index,
                std::string_view& rest) {
    const std::size_t dot = key.find('.');
    const auto number = parseInteger(key.substr(0, dot));
    if (!number || *number < 1 || static_cast<std::size_t>(*number) > slots) return false;
    index = static_cast<std::size_t>(*number) - 1;
    rest = dot == std::string_view::npos ? std::string_view() : key.substr(dot + 1);
    return true;
}

bool parseRates(std::string_view text, std::array<std::optional<Rate>, kRateSlots>& out) {
    const auto entries = splitList(text);
    if (entries.size() > kRateSlots) return false;
    std::array<std::optional<Rate>, kRateSlots> rates{};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::string_view entry = entries[i];
        if (entry.empty()) continue;
        Rate rate;
        const std::size_t slash = entry.find('/');
        if (slash != std::string_view::npos) {
            const std::string_view tax = entry.substr(slash + 1);
            if (tax != "ISS" && tax != "ICMS") return false;
            rate.tax = tax == "ISS" ? Tax::Iss : Tax::Icms;
            entry = entry.substr(0, slash);
        }
        const auto value = parseDecimal(entry, 2);
        if (!value || *value > 9999) return false;
        rate.hundredths = static_cast<int>(*value);
        rates[i] = rate;
    }
    out = rates;
    return true;
}

bool parsePayments(std::string_view text, std::array<PaymentForm, kPaymentForms>& out) {
    const auto entries = splitList(text);
    if (entries.size() > kPaymentForms) return false;
    std::array<PaymentForm, kPaymentForms> forms{};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::string_view entry = entries[i];
        if (entry.size() >= 2 && entry.substr(entry.size() - 2) == "/V") {
            forms[i].boundReceipt = true;
            entry.remove_suffix(2);
        }
        const auto name = parseAscii(entry);
        if (!name) return false;
        forms[i].name = *name;
    }
    out = forms;
    return true;
}

bool parseTotalizers(std::string_view text, std::array<std::string, kNonFiscalTotalizers>& out) {
    const auto entries = splitList(text);
    if (entries.size() > kNonFiscalTotalizers) return false;
    std::array<std::string, kNonFiscalTotalizers> names{};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto name = parseAscii(entries[i]);
        if (!name) return false;
        names[i] = *name;
    }
    out = names;
    return true;
}

bool parseAdjustment(std::string_view text, std::optional<Adjustment>& out) {
    Adjustment adjustment;
    const std::size_t slash = text.find('/');
    if (slash != std::string_view::npos) {
        const auto percent = parseDecimal(text.substr(slash + 1), 2);
        if (!percent || *percent > 9999) return false;
        adjustment.percent = static_cast<int>(*percent);
    }
    const auto amount = parseAmount(text.substr(0, slash));
    if (!amount) return false;
    adjustment.amount = *amount;
    out = adjustment;
    return true;
}

// SLOT,QUANTITY,PRICE,DECIMALS,TAX,ADJUSTMENT,PERCENT,CANCELLED,CODE,DESCRIPTION
bool parseItem(std::string_view text, SaleItem& item) {
    const auto f = splitList(text);
    if (f.size() != 10) return false;
    const auto slot = parseInteger(f[0]);
    const auto quantity = parseDecimal(f[1], 3);
    const auto price = parseDecimal(f[2], 3);
    const auto decimals = parseFlag(f[3]);
    const auto amount = parseAmount(f[5]);
    const auto percent = parseDecimal(f[6], 2);
    const auto cancelled = parseFlag(f[7]);
    const auto code = parseAscii(f[8]);
    const auto description = parseAscii(f[9]);
    if (!slot || *slot < 1 || *slot > static_cast<int>(kSaleSlots) || !quantity || !price ||
        *quantity > 9999999 || *price > 999999999 || !decimals ||
        (f[4] != "ICMS" && f[4] != "ISS") || !amount || !percent || *percent > 9999 || !cancelled ||
        !code || !description)
        return false;
    item = SaleItem{};
    item.slot = static_cast<int>(*slot);
    item.quantity = *quantity;
    item.unitPrice = *price;
    item.threeDecimals = *decimals;
    item.tax = f[4] == "ISS" ? Tax::Iss : Tax::Icms;
    item.total = itemTotal(item.quantity, item.unitPrice);
    if (*amount != 0) item.adjustment = Adjustment{*amount, static_cast<int>(*percent)};
    item.cancelled = *cancelled;
    item.code = *code;
    item.description = *description;
    return true;
}

bool parsePayment(std::string_view text, SalePayment& payment) {
    const auto f = splitList(text);
    if (f.size() != 2) return false;
    const auto form = parseInteger(f[0]);
    const auto amount = parseAmount(f[1]);
    if (!form || *form < 1 || *form > static_cast<int>(kPaymentForms) || !amount) return false;
    payment = {static_cast<int>(*form), *amount};
    return true;
}

// An entry of a growing list: N may name one that exists or the one after the last.
template <typename T>
T* entry(std::vector<T>& list, std::string_view key) {
    const auto n = parseInteger(key);
    if (!n || *n < 1 || static_cast<std::size_t>(*n) > list.size() + 1) return nullptr;
    if (static_cast<std::size_t>(*n) == list.size() + 1) list.emplace_back();
    return &list[static_cast<std::size_t>(*n) - 1];
}

class SeedReader {
  public:
    explicit SeedReader(Model& model) : m_(model) {}

    // Empty when the setting was applied, else the error.
    std::string apply(std::string_view key, std::string_view value) {
        const std::string bad =
            "bad value for '" + std::string(key) + "': '" + std::string(value) + "'";
        const std::string unknown = "unknown setting '" + std::string(key) + "'";
        switch (applyTo(key, value)) {
            case Result::Applied:
                return {};
            case Result::Bad:
                return bad;
            case Result::Unknown:
                return unknown;
        }
        return unknown;
    }

  private:
    enum class Result { Applied, Bad, Unknown };

    static Result result(bool ok) { return ok ? Result::Applied : Result::Bad; }

    Result applyTo(std::string_view key, std::string_view value);
    Result applyDay(DayTotals& day, std::string_view key, std::string_view value);
    Result applyCoupon(std::string_view key, std::string_view value);
    Result applyReduction(std::string_view key, std::string_view value);

    Model& m_;
};

SeedReader::Result SeedReader::applyTo(std::string_view key, std::string_view value) {
    for (const auto& b : kTexts) {
        if (key != b.key) continue;
        const auto text = parseAscii(value);
        if (text) m_.*b.field = *text;
        return result(text.has_value());
    }
    for (const auto& b : kNumbers)
        if (key == b.key) return result(parseCount(value, m_.*b.field));
    for (const auto& b : kFlags) {
        if (key != b.key) continue;
        const auto flag = parseFlag(value);
        if (flag) m_.*b.field = *flag;
        return result(flag.has_value());
    }
    for (const auto& b : kAmounts)
        if (key == b.key) return result(parseAmountInto(value, m_.*b.field));
    for (const auto& b : kCounters)
        if (key == b.key) return result(parseCount(value, m_.counters.*b.field));
    int index = 0;
    if (key == "paper") {
        const bool ok = parseName(value, kPaperStates, index);
        if (ok) m_.paper = static_cast<Paper>(index);
        return result(ok);
    }
    if (key == "document") {
        const bool ok = parseName(value, kDocuments, index);
        if (ok) m_.document = static_cast<Document>(index);
        return result(ok);
    }
    if (key == "clock") {
        const auto moment = setting::parseDateTime(value);
        if (moment) m_.clock = {*moment, 0};
        return result(moment.has_value());
    }
    if (key == "clock.offset") {
        const auto seconds = parseInteger(value);
        if (seconds) m_.clock = {std::nullopt, *seconds};
        return result(seconds.has_value());
    }
    if (key == "movement") {
        const auto date = setting::parseDate(value);
        if (date || value == "none") m_.movementDate = date;
        return result(date || value == "none");
    }
    if (key == "rates") return result(parseRates(value, m_.rates));
    if (key == "payments") return result(parsePayments(value, m_.paymentForms));
    if (key == "totalizers") return result(parseTotalizers(value, m_.nonFiscalNames));
    std::size_t n = 0;
    std::string_view rest;
    if (key.starts_with("payment.") && splitIndex(key.substr(8), kPaymentForms, n, rest) &&
        rest == "total")
        return result(parseAmountInto(value, m_.paymentForms[n].dayTotal));
    if (key.starts_with("coupon.")) return applyCoupon(key.substr(7), value);
    if (key.starts_with("z.")) return applyReduction(key.substr(2), value);
    return applyDay(m_.day, key, value);
}

SeedReader::Result SeedReader::applyDay(DayTotals& day, std::string_view key,
                                        std::string_view value) {
    for (const auto& b : kDayAmounts)
        if (key == b.key) return result(parseAmountInto(value, day.*b.field));
    std::size_t n = 0;
    std::string_view rest;
    if (key.starts_with("sales.") && splitIndex(key.substr(6), kSaleSlots, n, rest) && rest.empty())
        return result(parseAmountInto(value, day.sales[n]));
    if (key.starts_with("totalizer.") &&
        splitIndex(key.substr(10), kNonFiscalTotalizers, n, rest)) {
        if (rest == "count") return result(parseCount(value, day.nonFiscalCounts[n]));
        if (rest == "total") return result(parseAmountInto(value, day.nonFiscal[n]));
    }
    return Result::Unknown;
}

SeedReader::Result SeedReader::applyCoupon(std::string_view key, std::string_view value) {
    Coupon& c = m_.coupon;
    if (key == "coo") return result(parseCount(value, c.coo));
    if (key == "ended" || key == "cancelled") {
        const auto flag = parseFlag(value);
        if (flag) (key == "ended" ? c.ended : c.cancelled) = *flag;
        return result(flag.has_value());
    }
    if (key == "adjustment") return result(parseAdjustment(value, c.adjustment));
    if (key.starts_with("item.")) {
        SaleItem* item = entry(c.items, key.substr(5));
        return item ? result(parseItem(value, *item)) : Result::Unknown;
    }
    if (key.starts_with("payment.")) {
        SalePayment* payment = entry(c.payments, key.substr(8));
        return payment ? result(parsePayment(value, *payment)) : Result::Unknown;
    }
    return Result::Unknown;
}

SeedReader::Result SeedReader::applyReduction(std::string_view key, std::string_view value) {
    const std::size_t dot = key.find('.');
    if (dot == std::string_view::npos) return Result::Unknown;
    Reduction* z = entry(m_.reductions, key.substr(0, dot));
    if (!z) return Result::Unknown;
    key = key.substr(dot + 1);
    if (key == "crz") return result(parseCount(value, z->crz));
    if (key == "coo") return result(parseCount(value, z->coo));
    if (key == "gt") return result(parseAmountInto(value, z->grandTotal));
    if (key == "gt.opening") return result(parseAmountInto(value, z->openingTotal));
    if (key == "at") {
        const auto moment = setting::parseDateTime(value);
        if (moment) z->madeAt = *moment;
        return result(moment.has_value());
    }
    if (key == "movement") {
        const auto date = setting::parseDate(value);
        if (date) z->movementDate = *date;
        return result(date.has_value());
    }
    return applyDay(z->totals, key, value);
}

}  // namespace

std::optional<std::string> applySeed(Model& model, std::string_view seed) {
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

Model modelFromSeed(std::string_view seed) {
    Model model;
    if (auto error = applySeed(model, seed)) throw std::invalid_argument(*error);
    return model;
}

std::optional<Model> loadModel(const std::string& path, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = "cannot read " + path;
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    Model model;
    if (auto problem = applySeed(model, text.str())) {
        if (error) *error = path + ": " + *problem;
        return std::nullopt;
    }
    return model;
}

}  // namespace quelfi::sim::yanco
