// Opening a fiscal coupon, and the bookkeeping of the day's first coupon.
#pragma once

#include <string>

#include "protocol/road.h"

namespace quelfi::fiscal {

using protocol::Road;

// Opens a coupon for the customer's CPF/CNPJ (null: no identification).
int openCoupon(const Road& road, const char* customerId);

// The day's first-coupon bookkeeping around the opening command: what is read before it (the COO,
// the firmware version, the gross sales), and what is recorded after an accepted opening.
int prepareFirstCoupon(const Road& road, std::string& coo, std::string& grossSales);
void recordCoupon(const Road& road, const std::string& cooRead, const std::string& grossSales);

// Opens a coupon before an item sale when the library has none open: 1 to go on selling, or the
// result that ends the sale.
int ensureCouponOpen(const Road& road);

}  // namespace quelfi::fiscal
