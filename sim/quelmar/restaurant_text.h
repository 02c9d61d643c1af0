// The restaurant firmware's tables and menu in the printer's settings text (model_text.h), so that
// the orders of an evening survive in the model file and a seed can set up a busy floor:
//
//     table.12.1=101,FILE A PARMEGIANA,01,2.000,62.00,-1.00
//         registration 1 of table 12: code, description, rate code, quantity, unit price, and the
//         item's surcharge (positive) or discount (negative)
//     menu.1=101,FILE A PARMEGIANA,01,62.00
//         dish 1: code, description, rate code, price
//     check=12      the table whose bill check waits for its closing ("none" when none does)
//
// Tables are numbered 1 to 9999; registrations and dishes from 1, and N may be one past the last
// to add one. Codes are kept zero-filled to 14 characters (101 is 00000000000101), descriptions
// at most 17 characters; quantities have up to three decimals. The table memory holds at most
// kTableMemory registrations.
#pragma once

#include <string>
#include <string_view>

#include "sim/quelmar/restaurant_floor.h"

namespace quelfi::sim {

// The settings, one a line; nothing for a printer without tables, menu or open bill check.
std::string restaurantText(const RestaurantFloor& floor);

// Whether the key ("table.", "menu." or "check") belongs to the restaurant's settings.
bool isRestaurantSetting(std::string_view key);

// Applies one of them; empty when applied, else the error.
std::string applyRestaurantSetting(RestaurantFloor& floor, std::string_view key,
                                   std::string_view value);

}  // namespace quelfi::sim
