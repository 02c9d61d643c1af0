#include "sim/yanco/coupon.h"

namespace quelfi::sim::yanco {
namespace {

// a * b / c without overflow: the fields allow amounts whose products pass 64 bits.
Money scaled(Money a, Money b, Money c) {
    return static_cast<Money>(static_cast<__int128>(a) * b / c);
}

}  // namespace

Money itemTotal(std::int64_t quantity, std::int64_t unitPrice) {
    return (quantity * unitPrice + 5000) / 10000;
}

Money percentOf(Money base, int percent) {
    return static_cast<Money>((static_cast<__int128>(base) * percent + 5000) / 10000);
}

Money SaleItem::net() const {
    return total + (adjustment ? adjustment->amount : 0);
}

Money Coupon::subtotal() const {
    Money sum = 0;
    for (const SaleItem& item : items)
        if (!item.cancelled) sum += item.net();
    return sum;
}

Money Coupon::total() const {
    return subtotal() + (adjustment ? adjustment->amount : 0);
}

Money Coupon::paid() const {
    Money sum = 0;
    for (const SalePayment& payment : payments) sum += payment.amount;
    return sum;
}

Money Coupon::change() const {
    const Money over = paid() - total();
    return over > 0 ? over : 0;
}

std::array<Money, kSaleSlots> Coupon::slotTotals() const {
    std::array<Money, kSaleSlots> slots{};
    for (const SaleItem& item : items)
        if (!item.cancelled) slots[static_cast<std::size_t>(item.slot - 1)] += item.net();
    const Money base = subtotal();
    const Money spread = adjustment ? adjustment->amount : 0;
    if (spread == 0 || base == 0) return slots;
    std::size_t largest = 0;
    Money given = 0;
    std::array<Money, kSaleSlots> shares{};
    for (std::size_t i = 0; i < kSaleSlots; ++i) {
        shares[i] = scaled(spread, slots[i], base);
        given += shares[i];
        if (slots[i] > slots[largest]) largest = i;
    }
    shares[largest] += spread - given;
    for (std::size_t i = 0; i < kSaleSlots; ++i) slots[i] += shares[i];
    return slots;
}

Money Coupon::issShare(Money amount) const {
    Money iss = 0;
    for (const SaleItem& item : items)
        if (!item.cancelled && item.tax == Tax::Iss) iss += item.net();
    const Money base = subtotal();
    return base == 0 ? 0 : scaled(amount, iss, base);
}

}  // namespace quelfi::sim::yanco
