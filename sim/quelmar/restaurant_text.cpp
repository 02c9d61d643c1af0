#include "sim/quelmar/restaurant_text.h"

#include <algorithm>

#include "sim/quelmar/setting_values.h"

namespace quelfi::sim {
namespace {

using namespace setting;

constexpr std::size_t kCodeWidth = 14;
constexpr std::size_t kDescriptionWidth = 17;

std::string amount(Money value) {
    return formatDecimal(value, 2);
}

std::optional<Money> signedAmount(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    auto value = parseDecimal(negative ? text.substr(1) : text, 2);
    if (!value) return std::nullopt;
    return negative ? -*value : *value;
}

std::optional<std::string> code(std::string_view text) {
    auto value = parseText(text);
    if (!value || value->empty() || value->size() > kCodeWidth) return std::nullopt;
    return std::string(kCodeWidth - value->size(), '0') + *value;
}

std::optional<std::string> description(std::string_view text) {
    auto value = parseText(text);
    if (!value || value->empty() || value->size() > kDescriptionWidth) return std::nullopt;
    return value;
}

std::optional<std::string> rate(std::string_view text) {
    auto value = parseText(text);
    if (!value || value->size() != 2) return std::nullopt;
    return value;
}

bool parseItem(std::string_view text, TableItem& item) {
    const auto f = splitList(text);
    if (f.size() != 6) return false;
    auto c = code(f[0]), d = description(f[1]), r = rate(f[2]);
    auto quantity = parseDecimal(f[3], 3);
    auto price = parseDecimal(f[4], 2);
    auto adjustment = signedAmount(f[5]);
    if (!c || !d || !r || !quantity || *quantity <= 0 || !price || *price <= 0 || !adjustment)
        return false;
    item = {*c, *d, *r, *quantity, *price, *adjustment};
    return true;
}

bool parseDish(std::string_view text, MenuDish& dish) {
    const auto f = splitList(text);
    if (f.size() != 4) return false;
    auto c = code(f[0]), d = description(f[1]), r = rate(f[2]);
    auto price = parseDecimal(f[3], 2);
    if (!c || !d || !r || !price) return false;
    dish = {*c, *d, *r, *price};
    return true;
}

std::optional<int> tableNumber(std::string_view text) {
    auto n = parseInteger(text);
    if (!n || *n < 1 || *n > kHighestTable) return std::nullopt;
    return static_cast<int>(*n);
}

// Entry N (from 1) of a list; one past the last adds one.
template <typename T>
T* entry(std::vector<T>& list, std::string_view number) {
    auto n = parseInteger(number);
    if (!n || *n < 1 || *n > static_cast<std::int64_t>(list.size()) + 1) return nullptr;
    if (*n == static_cast<std::int64_t>(list.size()) + 1) list.emplace_back();
    return &list[static_cast<std::size_t>(*n - 1)];
}

// "N.M" after "table.": registration M of table N.
std::string applyTableSetting(RestaurantFloor& floor, std::string_view key, std::string_view value,
                              const std::string& bad) {
    const std::size_t dot = key.find('.');
    const auto number = tableNumber(key.substr(0, dot));
    if (dot == std::string_view::npos) return bad;
    const std::int64_t index = parseInteger(key.substr(dot + 1)).value_or(0);
    TableItem item;
    if (!number || !parseItem(value, item)) return bad;
    auto table = std::find_if(floor.tables.begin(), floor.tables.end(),
                              [&](const RestaurantTable& t) { return t.number >= *number; });
    const bool exists = table != floor.tables.end() && table->number == *number;
    const std::size_t held = exists ? table->items.size() : 0;
    if (index < 1 || index > static_cast<std::int64_t>(held) + 1) return bad;
    if (index == static_cast<std::int64_t>(held) + 1) {
        if (registrations(floor) >= kTableMemory)
            return "the table memory is full at 'table." + std::string(key) + "'";
        if (!exists) table = floor.tables.insert(table, RestaurantTable{*number, {}});
        table->items.push_back(item);
    } else {
        table->items[static_cast<std::size_t>(index - 1)] = item;
    }
    return {};
}

}  // namespace

std::string restaurantText(const RestaurantFloor& floor) {
    std::string out;
    auto put = [&out](const std::string& key, const std::string& value) {
        out += key + "=" + value + "\n";
    };
    for (const RestaurantTable& table : floor.tables) {
        for (std::size_t i = 0; i < table.items.size(); ++i) {
            const TableItem& item = table.items[i];
            put("table." + std::to_string(table.number) + "." + std::to_string(i + 1),
                formatText(item.code, true) + "," + formatText(item.description, true) + "," +
                    formatText(item.rate, true) + "," + formatDecimal(item.quantity, 3) + "," +
                    amount(item.unitPrice) + "," + amount(item.adjustment));
        }
    }
    for (std::size_t i = 0; i < floor.menu.size(); ++i) {
        const MenuDish& dish = floor.menu[i];
        put("menu." + std::to_string(i + 1),
            formatText(dish.code, true) + "," + formatText(dish.description, true) + "," +
                formatText(dish.rate, true) + "," + amount(dish.price));
    }
    if (floor.openCheck) put("check", std::to_string(*floor.openCheck));
    return out;
}

bool isRestaurantSetting(std::string_view key) {
    return key.starts_with("table.") || key.starts_with("menu.") || key == "check";
}

std::string applyRestaurantSetting(RestaurantFloor& floor, std::string_view key,
                                   std::string_view value) {
    const std::string bad =
        "bad value for '" + std::string(key) + "': '" + std::string(value) + "'";
    if (key == "check") {
        if (value == "none") {
            floor.openCheck.reset();
            return {};
        }
        const auto number = tableNumber(value);
        if (!number) return bad;
        floor.openCheck = *number;
        return {};
    }
    if (key.starts_with("menu.")) {
        MenuDish dish;
        if (!parseDish(value, dish)) return bad;
        MenuDish* slot = entry(floor.menu, key.substr(5));
        if (!slot)
            return "no dish " + std::string(key.substr(5)) + " for '" + std::string(key) + "'";
        *slot = dish;
        return {};
    }
    return applyTableSetting(floor, key.substr(6), value, bad);
}

}  // namespace quelfi::sim
