#include "sim/yanco/commands/sale_support.h"

namespace quelfi::sim::yanco {

std::optional<Adjustment> adjustmentOf(const field::AdjustmentRequest& request, Money base) {
    Adjustment adjustment;
    adjustment.percent = request.percent.value_or(0);
    const Money amount = request.value ? *request.value : percentOf(base, adjustment.percent);
    if (amount <= 0 || (!request.surcharge && amount >= base)) return std::nullopt;
    adjustment.amount = request.surcharge ? amount : -amount;
    return adjustment;
}

void postAdjustment(Model& model, const Adjustment& adjustment, Money issPart) {
    const Money icmsPart = adjustment.amount - issPart;
    if (adjustment.amount > 0) {
        model.grandTotal += adjustment.amount;
        model.day.icmsSurcharges += icmsPart;
        model.day.issSurcharges += issPart;
    } else {
        model.day.icmsDiscounts -= icmsPart;
        model.day.issDiscounts -= issPart;
    }
}

void postCoupon(Model& model, const Coupon& coupon, int sign) {
    const auto slots = coupon.slotTotals();
    for (std::size_t i = 0; i < kSaleSlots; ++i) model.day.sales[i] += sign * slots[i];
    for (const SalePayment& payment : coupon.payments)
        model.paymentForms[static_cast<std::size_t>(payment.form - 1)].dayTotal +=
            sign * payment.amount;
    if (!coupon.payments.empty())
        model.paymentForms[static_cast<std::size_t>(coupon.payments.back().form - 1)].dayTotal -=
            sign * coupon.change();
}

}  // namespace quelfi::sim::yanco
