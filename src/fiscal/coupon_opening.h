// Opening a fiscal coupon, and the bookkeeping of the day's first coupon.
#pragma once

namespace quelfi::fiscal {

// Opens a coupon for the customer's CPF/CNPJ (null: no identification).
int openCoupon(const char* customerId);

// Opens a coupon before an item sale when the library has none open: 1 to go on selling, or the
// result that ends the sale.
int ensureCouponOpen();

}  // namespace quelfi::fiscal
