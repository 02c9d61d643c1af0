// What the restaurant firmware keeps beside the fiscal model: the open tables with their orders,
// in a memory of bounded size, the menu, and the bill check being printed.
//
// Money in centavos, quantities in thousandths; texts in code page 850.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quelfi::sim {

using Money = std::int64_t;

// The registrations the table memory holds, all tables together.
inline constexpr std::size_t kTableMemory = 500;
inline constexpr int kHighestTable = 9999;
// One registration carries at most 99,000.
inline constexpr std::int64_t kMostPerRegistration = 99000;

// A dish on a table: registrations of the same dish (code, description, rate and price) add up
// in one.
struct TableItem {
    std::string code;  // as the command carries it: 14 characters, zero-filled
    std::string description;
    std::string rate;  // the rate code as sent: "01".."16", "II", "NN", "FF"
    std::int64_t quantity = 0;
    Money unitPrice = 0;
    Money adjustment = 0;  // the items' surcharges (+) and discounts (-) together
    bool operator==(const TableItem&) const = default;
};

struct RestaurantTable {
    int number = 0;
    std::vector<TableItem> items;
    bool operator==(const RestaurantTable&) const = default;
};

struct MenuDish {
    std::string code;  // 14 characters, zero-filled
    std::string description;
    std::string rate;
    Money price = 0;
    bool operator==(const MenuDish&) const = default;
};

struct RestaurantFloor {
    std::vector<RestaurantTable> tables;  // the open tables, by number; none is empty
    std::vector<MenuDish> menu;
    std::optional<int> openCheck;  // the table whose bill check waits for its closing
    bool operator==(const RestaurantFloor&) const = default;
};

bool sameDish(const TableItem& a, const TableItem& b);

const RestaurantTable* findTable(const RestaurantFloor& floor, int number);

// Registrations held, all tables together.
std::size_t registrations(const RestaurantFloor& floor);

// Adds the item to the table (opened by it), onto the registration of the same dish when the
// table has one.
void addToTable(RestaurantFloor& floor, int table, const TableItem& item);

// Takes the item's quantity and adjustment off the table's registration of the same dish; a
// registration left without quantity goes, and so does a table left without any. False, and
// nothing changed, when the table holds no such registration of at least that quantity, or what
// would stay of it would no longer be worth anything.
bool takeFromTable(RestaurantFloor& floor, int table, const TableItem& item, bool truncate);

// Moves every registration of a table onto another (merging dishes); the first table closes.
void moveTable(RestaurantFloor& floor, int from, int to);

// Removes a table with its registrations.
void closeTable(RestaurantFloor& floor, int number);

// The registration's value: quantity times price, with its adjustment.
Money itemValue(const TableItem& item, bool truncate);
Money tableTotal(const RestaurantTable& table, bool truncate);

}  // namespace quelfi::sim
