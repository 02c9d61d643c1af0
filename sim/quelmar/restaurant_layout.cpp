#include "sim/quelmar/restaurant_layout.h"

#include <cstdio>

#include "restaurant/restaurant_layouts.h"
#include "sim/quelmar/code_page.h"
#include "sim/quelmar/coupon_layout.h"
#include "sim/quelmar/day_layout.h"
#include "sim/quelmar/receipt_layout.h"
#include "sim/quelmar/wire_fields.h"

namespace quelfi::sim::layout {
namespace {

namespace shared = restaurant::layouts;

constexpr std::size_t kRateColumn = 8;
constexpr std::size_t kAmountColumn = 10;

std::string number(std::int64_t value, std::size_t width) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld", static_cast<int>(width),
                  static_cast<long long>(value));
    return text;
}

std::string padded(std::string text, std::size_t width, bool left) {
    if (text.size() >= width) return text;
    const std::string fill(width - text.size(), ' ');
    return left ? fill + text : text + fill;
}

// A code as the waiter knows it: without the zeros that fill its field.
std::string shortCode(const std::string& code) {
    const std::size_t first = code.find_first_not_of('0');
    return first == std::string::npos ? "0" : printerToUtf8(code.substr(first));
}

std::string rateLabel(const FiscalModel& model, const std::string& rate) {
    const bool slot = rate.size() == 2 && rate[0] >= '0' && rate[0] <= '9';
    const std::size_t index = slot ? static_cast<std::size_t>(std::stoi(rate) - 1) : 0;
    if (!slot || index >= model.taxRates.size()) return rate;
    const TaxRate& tax = model.taxRates[index];
    char label[16];
    std::snprintf(label, sizeof label, "%c%02d,%02d%%", tax.binding == TaxBinding::Iss ? 'S' : 'T',
                  tax.hundredths / 100 % 100, tax.hundredths % 100);
    return label;
}

std::string tableTitle(int number) {
    return "MESA " + layout::counter(number, 4);
}

void addItem(std::vector<std::string>& lines, const FiscalModel& model, const TableItem& item) {
    lines.push_back(shortCode(item.code) + " " + printerToUtf8(item.description));
    const Money gross = itemValue(item.quantity, item.unitPrice, model.truncation);
    lines.push_back(spread(
        "    " + quantity(item.quantity, item.quantity % 1000 != 0) + " x " + money(item.unitPrice),
        padded(rateLabel(model, item.rate), kRateColumn, false) +
            padded(money(gross), kAmountColumn, true)));
    if (item.adjustment < 0) lines.push_back(spread("    desconto", money(item.adjustment)));
    if (item.adjustment > 0)
        lines.push_back(spread("    acr\xC3\xA9scimo", "+" + money(item.adjustment)));
}

std::string tableLine(const RestaurantTable& table, bool truncate) {
    return std::string(shared::kTableMark) + number(table.number, shared::kTableDigits) +
           number(static_cast<std::int64_t>(table.items.size()), shared::kCountDigits) +
           number(tableTotal(table, truncate), shared::kTotalDigits) +
           std::string(shared::kLineEnd);
}

std::string itemLine(const TableItem& item, bool truncate) {
    const Money adjustment = item.adjustment < 0 ? -item.adjustment : item.adjustment;
    return wire::text(item.code, shared::kCodeWidth) +
           wire::text(item.description, shared::kDescriptionWidth) +
           wire::text(item.rate, shared::kRateWidth) +
           number(item.quantity, shared::kQuantityDigits) +
           number(item.unitPrice, shared::kPriceDigits) + (item.adjustment < 0 ? "D" : "A") +
           number(adjustment, shared::kAdjustmentDigits) +
           number(itemValue(item, truncate), shared::kTotalDigits) + std::string(shared::kLineEnd);
}

}  // namespace

std::vector<std::string> tableCheckOpening(const FiscalModel& model, int coo,
                                           const RestaurantTable& table) {
    std::vector<std::string> lines = heading(model, coo, "CONFER\xC3\x8ANCIA DE MESA");
    lines.push_back(tableTitle(table.number));
    lines.push_back(rule());
    for (const TableItem& item : table.items) addItem(lines, model, item);
    lines.push_back(rule());
    lines.push_back(spread("SUBTOTAL R$", money(tableTotal(table, model.truncation))));
    return lines;
}

std::vector<std::string> tableCheckClosing(const FiscalModel& model, const RestaurantTable& table,
                                           Money adjustment, std::optional<int> percent) {
    std::vector<std::string> lines;
    if (adjustment != 0) {
        std::string label = adjustment > 0 ? "ACR\xC3\x89SCIMO" : "DESCONTO";
        if (percent) label += " " + money(*percent) + "%";
        lines.push_back(spread(label, (adjustment > 0 ? "+" : "") + money(adjustment)));
    }
    lines.push_back(spread("TOTAL R$", money(tableTotal(table, model.truncation) + adjustment)));
    lines.push_back(centred("N\xC3\x83O \xC3\x89 DOCUMENTO FISCAL"));
    for (std::string& line : foot(model)) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> openTablesReport(const FiscalModel& model, int coo, bool withItems) {
    std::vector<std::string> lines = heading(model, coo, "RELAT\xC3\x93RIO DE MESAS ABERTAS");
    lines.push_back(rule());
    Money total = 0;
    for (const RestaurantTable& table : model.restaurant.tables) {
        const Money value = tableTotal(table, model.truncation);
        total += value;
        lines.push_back(spread(tableTitle(table.number), money(value)));
        if (!withItems) continue;
        for (const TableItem& item : table.items) addItem(lines, model, item);
    }
    lines.push_back(rule());
    lines.push_back(spread("MESAS ABERTAS", std::to_string(model.restaurant.tables.size())));
    lines.push_back(spread("TOTAL R$", money(total)));
    for (std::string& line : foot(model)) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> menu(const FiscalModel& model, int coo) {
    std::vector<std::string> lines = heading(model, coo, "CARD\xC3\x81PIO");
    lines.push_back(rule());
    for (const MenuDish& dish : model.restaurant.menu)
        lines.push_back(spread(shortCode(dish.code) + " " + printerToUtf8(dish.description),
                               padded(rateLabel(model, dish.rate), kRateColumn, false) +
                                   padded(money(dish.price), kAmountColumn, true)));
    for (std::string& line : foot(model)) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> splitSlips(int coo, const std::vector<Money>& values,
                                    const std::vector<std::string>& cpfs) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < values.size(); ++i) {
        lines.push_back(rule());
        lines.push_back(centred("CONTA DIVIDIDA"));
        lines.push_back(
            spread("COO:" + counter(coo, 6),
                   "PAGANTE " + std::to_string(i + 1) + " DE " + std::to_string(values.size())));
        lines.push_back(spread("VALOR R$", money(values[i])));
        if (i < cpfs.size()) lines.push_back("CPF: " + printerToUtf8(cpfs[i]));
    }
    return lines;
}

std::string tablesText(const FiscalModel& model, const std::vector<RestaurantTable>& tables) {
    std::string text;
    for (const RestaurantTable& table : tables) {
        text += tableLine(table, model.truncation);
        for (const TableItem& item : table.items) text += itemLine(item, model.truncation);
    }
    return text;
}

std::string menuText(const FiscalModel& model) {
    std::string text;
    for (const MenuDish& dish : model.restaurant.menu)
        text += wire::text(dish.code, shared::kCodeWidth) +
                wire::text(dish.description, shared::kDescriptionWidth) +
                wire::text(dish.rate, shared::kRateWidth) +
                number(dish.price, shared::kPriceDigits) + std::string(shared::kLineEnd);
    return text;
}

}  // namespace quelfi::sim::layout
