#include "sim/quelmar/restaurant_floor.h"

#include <algorithm>

#include "sim/quelmar/sale_coupon.h"

namespace quelfi::sim {

namespace {

RestaurantTable* tableOf(RestaurantFloor& floor, int number) {
    for (RestaurantTable& table : floor.tables)
        if (table.number == number) return &table;
    return nullptr;
}

}  // namespace

bool sameDish(const TableItem& a, const TableItem& b) {
    return a.code == b.code && a.description == b.description && a.rate == b.rate &&
           a.unitPrice == b.unitPrice;
}

const RestaurantTable* findTable(const RestaurantFloor& floor, int number) {
    for (const RestaurantTable& table : floor.tables)
        if (table.number == number) return &table;
    return nullptr;
}

std::size_t registrations(const RestaurantFloor& floor) {
    std::size_t count = 0;
    for (const RestaurantTable& table : floor.tables) count += table.items.size();
    return count;
}

void addToTable(RestaurantFloor& floor, int number, const TableItem& item) {
    RestaurantTable* table = tableOf(floor, number);
    if (!table) {
        const auto at = std::find_if(floor.tables.begin(), floor.tables.end(),
                                     [&](const RestaurantTable& t) { return t.number > number; });
        table = &*floor.tables.insert(at, RestaurantTable{number, {}});
    }
    for (TableItem& held : table->items) {
        if (!sameDish(held, item)) continue;
        held.quantity += item.quantity;
        held.adjustment += item.adjustment;
        return;
    }
    table->items.push_back(item);
}

bool takeFromTable(RestaurantFloor& floor, int number, const TableItem& item, bool truncate) {
    RestaurantTable* table = tableOf(floor, number);
    if (!table) return false;
    const auto held = std::find_if(table->items.begin(), table->items.end(),
                                   [&](const TableItem& t) { return sameDish(t, item); });
    if (held == table->items.end() || held->quantity < item.quantity) return false;
    TableItem rest = *held;
    rest.quantity -= item.quantity;
    rest.adjustment -= item.adjustment;
    if (rest.quantity > 0 && itemValue(rest, truncate) <= 0) return false;
    if (rest.quantity > 0) {
        *held = rest;
    } else {
        table->items.erase(held);
    }
    if (table->items.empty()) closeTable(floor, number);
    return true;
}

void moveTable(RestaurantFloor& floor, int from, int to) {
    const RestaurantTable* source = findTable(floor, from);
    if (!source || from == to) return;
    const std::vector<TableItem> items = source->items;
    closeTable(floor, from);
    for (const TableItem& item : items) addToTable(floor, to, item);
}

void closeTable(RestaurantFloor& floor, int number) {
    std::erase_if(floor.tables, [&](const RestaurantTable& t) { return t.number == number; });
}

Money itemValue(const TableItem& item, bool truncate) {
    return sim::itemValue(item.quantity, item.unitPrice, truncate) + item.adjustment;
}

Money tableTotal(const RestaurantTable& table, bool truncate) {
    Money total = 0;
    for (const TableItem& item : table.items) total += itemValue(item, truncate);
    return total;
}

}  // namespace quelfi::sim
