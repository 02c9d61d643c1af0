#include "sim/quelmar/sale_coupon.h"

namespace quelfi::sim {
namespace {

// numerator / denominator to a whole number, half up or truncated; both positive.
Money divide(Money numerator, Money denominator, bool truncate) {
    return truncate ? numerator / denominator : (numerator + denominator / 2) / denominator;
}

}  // namespace

Money itemsTotal(const SaleCoupon& coupon) {
    Money total = 0;
    for (const auto& item : coupon.items)
        if (!item.cancelled) total += item.net();
    return total;
}

Money amountDue(const SaleCoupon& coupon) {
    return itemsTotal(coupon) + coupon.closingSurcharge - coupon.closingDiscount;
}

Money amountPaid(const SaleCoupon& coupon) {
    Money paid = 0;
    for (const auto& payment : coupon.payments) paid += payment.amount;
    return paid;
}

Money itemValue(std::int64_t quantity, Money unitPrice, bool truncate) {
    return divide(quantity * unitPrice, 1000, truncate);
}

Money departmentItemValue(std::int64_t quantity, std::int64_t priceThousandths, bool truncate) {
    return divide(quantity * priceThousandths, 10000, truncate);
}

Money centavos(std::int64_t thousandths, bool truncate) {
    return divide(thousandths, 10, truncate);
}

Money percentOf(Money value, int percent, bool truncate) {
    return divide(value * percent, 10000, truncate);
}

void apportion(SaleCoupon& coupon, Money adjustment) {
    const Money base = itemsTotal(coupon);
    const bool negative = adjustment < 0;
    const Money magnitude = negative ? -adjustment : adjustment;
    SaleItem* largest = nullptr;
    Money spread = 0;
    for (auto& item : coupon.items) {
        item.closingShare = 0;
        if (item.cancelled) continue;
        const Money share = base > 0 ? magnitude * item.net() / base : 0;
        item.closingShare = negative ? -share : share;
        spread += item.closingShare;
        if (!largest || item.net() > largest->net()) largest = &item;
    }
    if (largest) largest->closingShare += adjustment - spread;
}

}  // namespace quelfi::sim
