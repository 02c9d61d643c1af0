// Opening a fiscal coupon, and the bookkeeping of the day's first coupon.
#pragma once

#include "protocol/road.h"

namespace quelfi::fiscal {

using protocol::Road;

// Opens a coupon for the customer's CPF/CNPJ (null: no identification).
int openCoupon(const Road& road, const char* customerId);

// Opens a coupon before an item sale when the library has none open: 1 to go on selling, or the
// result that ends the sale.
int ensureCouponOpen(const Road& road);

}  // namespace quelfi::fiscal
