// How a sale moves the printer's totalizers. Everything is counted when it happens, as a fiscal
// printer does: the grand total takes each item's value when it is registered, a cancellation is
// counted in the cancellations and taken out of the rate's total, a discount in the discounts.
// So at any moment the rate totals (slots, exemption, non-incidence, substitution) add up to the
// grand total's growth less cancellations and discounts.
#pragma once

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim::sale {

void recordItem(FiscalModel& model, const SaleItem& item);
void recordItemCancellation(FiscalModel& model, const SaleItem& item);
// The subtotal's surcharge or discount, once `apportion` has spread it over the items.
void recordClosingAdjustment(FiscalModel& model, const SaleCoupon& coupon);
// The whole coupon, open or already closed: its items leave their totals for the cancellations.
void recordCouponCancellation(FiscalModel& model, const SaleCoupon& coupon);
// At the end of the closing: the payment forms' day and last-coupon amounts.
void recordPayments(FiscalModel& model, const SaleCoupon& coupon);
// A closed coupon cancelled: its payments leave the forms' day totals.
void reversePayments(FiscalModel& model, const SaleCoupon& coupon);

}  // namespace quelfi::sim::sale
