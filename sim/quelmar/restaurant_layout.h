// How the restaurant firmware's documents look on the paper roll, and the text it streams back
// for the serial reports and the menu (whose layout is fixed in restaurant/restaurant_layouts.h).
//
//     (heading: cliché, CNPJ, IE, date, time and COO, "CONFERÊNCIA DE MESA")
//     MESA 0012
//     ------------------------------------------------
//     101 FILE A PARMEGIANA
//         2 x 62,00                  T18,00%   124,00
//     ------------------------------------------------
//     SUBTOTAL R$                              170,00
//     DESCONTO 10,00%                          -17,00
//     TOTAL R$                                 153,00
//                 NÃO É DOCUMENTO FISCAL
//     (foot)
//
// The open-tables report lists each table with its total (and, with items, its dishes as
// above); the menu lists each dish with its rate and price; the split bill adds one slip per
// payer to the coupon it ends.
#pragma once

#include <string>
#include <vector>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim::layout {

// The bill check up to its subtotal; then its adjustment (a percentage when given), its total and
// foot.
std::vector<std::string> tableCheckOpening(const FiscalModel& model, int coo,
                                           const RestaurantTable& table);
std::vector<std::string> tableCheckClosing(const FiscalModel& model, const RestaurantTable& table,
                                           Money adjustment, std::optional<int> percent);

std::vector<std::string> openTablesReport(const FiscalModel& model, int coo, bool withItems);
std::vector<std::string> menu(const FiscalModel& model, int coo);

// One slip per payer: its value and, when given, its CPF.
std::vector<std::string> splitSlips(int coo, const std::vector<Money>& values,
                                    const std::vector<std::string>& cpfs);

// The streamed texts: the tables given with their registrations, and the menu.
std::string tablesText(const FiscalModel& model, const std::vector<RestaurantTable>& tables);
std::string menuText(const FiscalModel& model);

}  // namespace quelfi::sim::layout
