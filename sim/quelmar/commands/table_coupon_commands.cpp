// The fiscal coupon of a table: "P4" opens it with the table's whole order (the printer busy, its
// ready line low, while it prints) and empties the table; the coupon is closed by the sale's own
// commands, or by "P;", which ends a paid coupon with one slip per payer.
#include <algorithm>
#include <numeric>

#include "sim/quelmar/commands/restaurant_support.h"
#include "sim/quelmar/commands/sale_support.h"
#include "sim/quelmar/coupon_layout.h"
#include "sim/quelmar/day_rules.h"
#include "sim/quelmar/receipt_layout.h"
#include "sim/quelmar/restaurant_layout.h"
#include "sim/quelmar/sale_totals.h"

namespace quelfi::sim::restaurant {

namespace {

using sale::digits;
using sale::invalidParameter;
using sale::refuse;
using sale::trimmed;
using sale::wrongLength;

constexpr std::size_t kTableField = 4;
constexpr std::size_t kCpfField = 29;
constexpr std::size_t kValueField = 14;
constexpr std::int64_t kFewestPayers = 2;
constexpr std::int64_t kMostPayers = 20;
// How long the mechanism takes for one printed line.
constexpr std::uint32_t kMsPerLine = 100;

// The table's registration as an item of the coupon.
SaleItem saleItem(const FiscalModel& m, const TableItem& dish, int number) {
    SaleItem item;
    item.number = number;
    const std::size_t first = dish.code.find_first_not_of('0');
    item.code = first == std::string::npos ? "0" : dish.code.substr(first);
    item.description = dish.description;
    setSaleRate(m, dish.rate, item);
    item.quantity = dish.quantity;
    item.fractionalQuantity = dish.quantity % 1000 != 0;
    item.unitPrice = dish.unitPrice;
    item.gross = itemValue(dish.quantity, dish.unitPrice, m.truncation);
    item.discount = std::max<Money>(0, -dish.adjustment);
    item.surcharge = std::max<Money>(0, dish.adjustment);
    return item;
}

}  // namespace

void openTableCoupon(CommandContext& c) {
    FiscalModel& m = c.model;
    const std::string_view f = fieldsOf(c);
    if (f.size() != kTableField && f.size() != kTableField + kCpfField) return wrongLength(c.reply);
    const auto number = tableField(f.substr(0, kTableField));
    if (!number) return invalidParameter(c.reply);
    if (couponOpen(m)) return refuse(c.reply, 0, codes::kSt1CouponOpen);
    if (m.document != DocumentState::None) return refuse(c.reply);
    if (auto refusal = newDocumentRefusal(m)) return refuse(c.reply, *refusal);
    if (sale::refusedWithoutPaper(c)) return;
    const RestaurantTable* table = findTable(m.restaurant, *number);
    if (!table) return refuse(c.reply);
    for (const TableItem& dish : table->items) {
        if (!rateTaken(c, dish.rate)) return;
        if (itemValue(dish, m.truncation) <= 0) return invalidParameter(c.reply);
    }

    SaleCoupon coupon;
    coupon.customerId = trimmed(f.substr(kTableField));
    coupon.coo = ++m.counters.coo;
    ++m.counters.ccf;
    m.counters.lastItem = 0;
    m.lastCouponCancellable = false;
    m.document = DocumentState::Coupon;
    markDocumentStarted(m);
    m.coupon = std::move(coupon);
    std::vector<std::string> lines = layout::couponOpening(m, m.coupon);
    for (const TableItem& dish : table->items) {
        SaleItem item = saleItem(m, dish, static_cast<int>(m.coupon.items.size()) + 1);
        m.counters.lastItem = item.number;
        sale::recordItem(m, item);
        m.coupon.items.push_back(item);
        for (std::string& line : layout::couponItem(m, item)) lines.push_back(std::move(line));
    }
    closeTable(m.restaurant, *number);
    c.paper.printLines(lines);
    m.printingUntil = c.ticks + static_cast<std::uint32_t>(lines.size()) * kMsPerLine;
}

// The number of payers, their values (adding up to the coupon's total) and, in the long form,
// their CPFs.
void splitBill(CommandContext& c) {
    FiscalModel& m = c.model;
    const std::string_view f = fieldsOf(c);
    const auto payers = f.size() >= 2 ? digits(f.substr(0, 2)) : std::nullopt;
    if (!payers) return wrongLength(c.reply);
    if (*payers < kFewestPayers || *payers > kMostPayers) return invalidParameter(c.reply);
    const auto n = static_cast<std::size_t>(*payers);
    const bool withCpfs = f.size() == 2 + n * (kValueField + kCpfField);
    if (f.size() != 2 + n * kValueField && !withCpfs) return wrongLength(c.reply);
    std::vector<Money> values;
    std::vector<std::string> cpfs;
    for (std::size_t i = 0; i < n; ++i) {
        const auto value = digits(f.substr(2 + i * kValueField, kValueField));
        if (!value || *value == 0) return invalidParameter(c.reply);
        values.push_back(*value);
        if (withCpfs)
            cpfs.push_back(trimmed(f.substr(2 + n * kValueField + i * kCpfField, kCpfField)));
    }
    if (sale::refusedWithoutPaper(c)) return;
    SaleCoupon& coupon = m.coupon;
    // Only a coupon paid in full, and split to the centavo.
    if (m.document != DocumentState::CouponPayment || amountPaid(coupon) < amountDue(coupon))
        return refuse(c.reply);
    if (std::accumulate(values.begin(), values.end(), Money{0}) != amountDue(coupon))
        return invalidParameter(c.reply);

    sale::recordPayments(m, coupon);
    coupon.closed = true;
    coupon.pending = {};
    m.document = DocumentState::None;
    m.lastCouponCancellable = true;
    m.lastCouponCoo = coupon.coo;
    std::vector<std::string> lines = layout::couponEnd(m, coupon, "");
    const std::vector<std::string> slips = layout::splitSlips(coupon.coo, values, cpfs);
    lines.insert(lines.end() - static_cast<std::ptrdiff_t>(layout::foot(m).size()), slips.begin(),
                 slips.end());
    c.paper.printLines(lines);
}

}  // namespace quelfi::sim::restaurant
