// Pieces shared by the restaurant firmware's handlers: reading the fields of its commands, the
// rate codes its registrations take, and the handlers of the table's coupon.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/quelmar/command_registry.h"
#include "sim/quelmar/sale_coupon.h"

namespace quelfi::sim::restaurant {

// The fields after "P" and the operation code.
inline std::string_view fieldsOf(const CommandContext& c) {
    return c.command.size() > 3 ? c.command.substr(3) : std::string_view();
}

// A table number field: four digits, 1 to 9999.
std::optional<int> tableField(std::string_view field);

// Whether a registration's rate code is taken: a programmed slot "01".."16", or "II", "NN",
// "FF". Otherwise the reply says why (not programmed, or not a rate code).
bool rateTaken(CommandContext& c, std::string_view rate);

// The item of the coupon for a rate code that rateTaken accepted.
void setSaleRate(const FiscalModel& model, const std::string& rate, SaleItem& item);

// The fiscal coupon of a table ("P4"), and the end of a paid coupon split among its payers ("P;").
void openTableCoupon(CommandContext& c);
void splitBill(CommandContext& c);

}  // namespace quelfi::sim::restaurant
