#include "sim/quelmar/coupon_text.h"

#include <vector>

#include "sim/quelmar/setting_values.h"

namespace quelfi::sim {
namespace {

using namespace setting;

std::string amount(Money value) {
    return formatDecimal(value, 2);
}

std::string flag(bool value) {
    return value ? "1" : "0";
}

// A percentage in hundredths, empty when there is none.
std::string percentText(const std::optional<int>& percent) {
    return percent ? formatDecimal(*percent, 2) : "";
}

// Empty: none; else a percentage of at most 99,99 %.
bool parsePercent(std::string_view text, std::optional<int>& out) {
    if (text.empty()) {
        out.reset();
        return true;
    }
    auto v = parseDecimal(text, 2);
    if (!v || *v > 9999) return false;
    out = static_cast<int>(*v);
    return true;
}

// An amount that may be negative.
std::optional<Money> signedAmount(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    auto value = parseDecimal(negative ? text.substr(1) : text, 2);
    if (!value) return std::nullopt;
    return negative ? -*value : *value;
}

std::string itemText(const SaleItem& item) {
    const std::vector<std::string> fields = {
        formatText(item.code, true),
        formatText(item.description, true),
        formatText(item.unit, true),
        formatText(item.rateCode, true),
        flag(item.iss),
        std::to_string(item.department),
        formatDecimal(item.quantity, 3),
        flag(item.fractionalQuantity),
        amount(item.unitPrice),
        amount(item.gross),
        amount(item.discount),
        percentText(item.discountPercent),
        amount(item.surcharge),
        amount(item.closingShare),
        flag(item.cancelled),
        percentText(item.surchargePercent),
    };
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? "," : "") + fields[i];
    return out;
}

// The rate code's kind and slot: letters name the exemption, non-incidence and substitution
// totalizers; two digits a rate slot.
bool setRate(SaleItem& item, const std::string& code) {
    if (code.empty()) return true;  // a receipt's item
    struct Letter {
        const char* code;
        RateKind kind;
    };
    static constexpr Letter kLetters[] = {
        {"II", RateKind::Exempt}, {"NN", RateKind::NonIncidence}, {"FF", RateKind::Substitution},
        {"SI", RateKind::Exempt}, {"SN", RateKind::NonIncidence}, {"SF", RateKind::Substitution},
    };
    item.rateCode = code;
    for (const auto& letter : kLetters) {
        if (code != letter.code) continue;
        item.kind = letter.kind;
        return true;
    }
    auto slot = parseInteger(code);
    if (code.size() != 2 || !slot || *slot < 1 || *slot > 16) return false;
    item.kind = RateKind::Slot;
    item.slot = static_cast<int>(*slot);
    return true;
}

bool parseItem(std::string_view text, SaleItem& item) {
    // Files written before items took a surcharge percentage have 15 fields.
    const auto f = splitList(text);
    if (f.size() != 15 && f.size() != 16) return false;
    auto code = parseText(f[0]), description = parseText(f[1]), unit = parseText(f[2]),
         rate = parseText(f[3]);
    auto iss = parseFlag(f[4]), fractional = parseFlag(f[7]), cancelled = parseFlag(f[14]);
    auto department = parseInteger(f[5]);
    auto quantity = parseDecimal(f[6], 3);
    auto price = parseDecimal(f[8], 2), gross = parseDecimal(f[9], 2),
         discount = parseDecimal(f[10], 2), surcharge = parseDecimal(f[12], 2);
    auto share = signedAmount(f[13]);
    if (!code || !description || !unit || !rate || !iss || !fractional || !cancelled ||
        !department || *department < 0 || *department > 20 || !quantity || !price || !gross ||
        !discount || !surcharge || !share || !parsePercent(f[11], item.discountPercent) ||
        (f.size() == 16 && !parsePercent(f[15], item.surchargePercent)) || !setRate(item, *rate))
        return false;
    item.code = *code;
    item.description = *description;
    item.unit = *unit;
    item.iss = *iss;
    item.department = static_cast<int>(*department);
    item.quantity = *quantity;
    item.fractionalQuantity = *fractional;
    item.unitPrice = *price;
    item.gross = *gross;
    item.discount = *discount;
    item.surcharge = *surcharge;
    item.closingShare = *share;
    item.cancelled = *cancelled;
    return true;
}

bool parsePayment(std::string_view text, SalePayment& payment) {
    // The instalments were added later: three fields mean none.
    const auto f = splitList(text);
    if (f.size() != 3 && f.size() != 4) return false;
    auto form = parseInteger(f[0]);
    auto value = parseDecimal(f[1], 2);
    auto note = parseText(f[2]);
    auto instalments = f.size() == 4 ? parseInteger(f[3]) : std::optional<std::int64_t>(0);
    if (!form || *form < 1 || !value || !note || !instalments || *instalments < 0 ||
        *instalments > 99)
        return false;
    payment = {static_cast<int>(*form), *value, *note, static_cast<int>(*instalments)};
    return true;
}

// Sets entry "N" of a list: 1 to one past the last entry, which adds one.
template <typename T>
bool setEntry(std::vector<T>& list, std::string_view number, T value) {
    auto n = parseInteger(number);
    if (!n || *n < 1 || *n > static_cast<std::int64_t>(list.size()) + 1) return false;
    if (*n == static_cast<std::int64_t>(list.size()) + 1) list.emplace_back();
    list[static_cast<std::size_t>(*n - 1)] = std::move(value);
    return true;
}

}  // namespace

std::string couponText(const SaleCoupon& c, std::string_view prefix) {
    if (c == SaleCoupon{}) return {};
    std::string out;
    auto put = [&out, prefix](const std::string& key, const std::string& value) {
        out += std::string(prefix) + "." + key + "=" + value + "\n";
    };
    put("coo", std::to_string(c.coo));
    put("customer", formatText(c.customerId));
    put("name", formatText(c.customerName));
    put("address", formatText(c.customerAddress));
    put("closed", flag(c.closed));
    put("cancelled", flag(c.cancelled));
    put("surcharge", amount(c.closingSurcharge));
    put("discount", amount(c.closingDiscount));
    put("surcharge.percent", percentText(c.surchargePercent));
    put("discount.percent", percentText(c.discountPercent));
    put("totalled", flag(c.totalled));
    put("additional", flag(c.additionalPrinted));
    put("pending.description", formatText(c.pending.description));
    put("pending.unit", formatText(c.pending.unit));
    if (c.passengerTicket || c.fareAtEnd) {
        put("ticket", flag(c.passengerTicket));
        put("ticket.fare", flag(c.fareAtEnd));
    }
    for (std::size_t i = 0; i < c.items.size(); ++i)
        put("item." + std::to_string(i + 1), itemText(c.items[i]));
    for (std::size_t i = 0; i < c.payments.size(); ++i) {
        const SalePayment& p = c.payments[i];
        put("payment." + std::to_string(i + 1), std::to_string(p.form) + "," + amount(p.amount) +
                                                    "," + formatText(p.text, true) + "," +
                                                    std::to_string(p.instalments));
    }
    return out;
}

std::string applyCouponSetting(SaleCoupon& c, std::string_view key, std::string_view value,
                               std::string_view prefix) {
    const std::string name = std::string(prefix) + "." + std::string(key);
    const std::string bad = "bad value for '" + name + "': '" + std::string(value) + "'";
    auto text = [&](std::string& field) {
        auto v = parseText(value);
        if (v) field = *v;
        return v ? "" : bad;
    };
    auto money = [&](Money& field) {
        auto v = parseDecimal(value, 2);
        if (v) field = *v;
        return v ? "" : bad;
    };
    auto yesNo = [&](bool& field) {
        auto v = parseFlag(value);
        if (v) field = *v;
        return v ? "" : bad;
    };
    if (key == "coo") {
        auto v = parseInteger(value);
        if (!v || *v < 0 || *v > 999999999) return bad;
        c.coo = static_cast<int>(*v);
        return {};
    }
    if (key == "customer") return text(c.customerId);
    if (key == "name") return text(c.customerName);
    if (key == "address") return text(c.customerAddress);
    if (key == "closed") return yesNo(c.closed);
    if (key == "cancelled") return yesNo(c.cancelled);
    if (key == "surcharge") return money(c.closingSurcharge);
    if (key == "discount") return money(c.closingDiscount);
    if (key == "pending.description") return text(c.pending.description);
    if (key == "pending.unit") return text(c.pending.unit);
    if (key == "ticket") return yesNo(c.passengerTicket);
    if (key == "ticket.fare") return yesNo(c.fareAtEnd);
    if (key == "totalled") return yesNo(c.totalled);
    if (key == "additional") return yesNo(c.additionalPrinted);
    if (key == "surcharge.percent") return parsePercent(value, c.surchargePercent) ? "" : bad;
    if (key == "discount.percent") return parsePercent(value, c.discountPercent) ? "" : bad;
    // Files written before the surcharge and the discount had a percentage each: the one
    // percentage belongs to whichever of the two was given (the amounts come first).
    if (key == "percent") {
        std::optional<int> percent;
        if (!parsePercent(value, percent)) return bad;
        (c.closingSurcharge != 0 ? c.surchargePercent : c.discountPercent) = percent;
        return {};
    }
    const std::string unknown = "unknown setting '" + name + "'";
    if (key.starts_with("item.")) {
        SaleItem item;
        if (!parseItem(value, item)) return bad;
        item.number = static_cast<int>(parseInteger(key.substr(5)).value_or(0));
        return setEntry(c.items, key.substr(5), item) ? "" : unknown;
    }
    if (key.starts_with("payment.")) {
        SalePayment payment;
        if (!parsePayment(value, payment)) return bad;
        return setEntry(c.payments, key.substr(8), payment) ? "" : unknown;
    }
    return unknown;
}

}  // namespace quelfi::sim
