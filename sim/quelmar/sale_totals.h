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

// A discount given on an item after its sale (negative: a discount taken back), and a surcharge.
void recordItemDiscount(FiscalModel& model, const SaleItem& item, Money amount);
void recordItemSurcharge(FiscalModel& model, const SaleItem& item, Money amount);
// An item's surcharge taken back: counted as a cancellation, as the grand total never goes back.
void recordItemSurchargeCancellation(FiscalModel& model, const SaleItem& item, Money amount);

// The journal printer's non-fiscal receipt at its end: each item's net value, its share of the
// subtotal's adjustment included, on its totalizer; the adjustments and the cancelled items in
// the non-fiscal totals; the payments on their forms, where a bound receipt may refer to them.
void recordReceipt(FiscalModel& model, const SaleCoupon& receipt);
// A closed receipt cancelled: its values leave the totalizers and the forms for the
// cancellations.
void reverseReceipt(FiscalModel& model, const SaleCoupon& receipt);

}  // namespace quelfi::sim::sale
