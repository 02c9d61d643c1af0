// The fiscal coupon as the printer keeps it while it is sold and after it is closed: its items,
// the surcharge or discount on the subtotal, the payments. The record stays after the closing so
// the last coupon can still be cancelled; the next opening replaces it. The journal printer's
// non-fiscal receipt is kept in the same record: its items are amounts on non-fiscal totalizers
// (the code holds the totalizer's number, the description its name, no rate).
//
// Money in centavos, quantities in thousandths, percentages in hundredths; texts in code page 850.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quelfi::sim {

using Money = std::int64_t;

// The letter totalizers an item may be sold under instead of a rate slot.
enum class RateKind { Slot, Exempt, NonIncidence, Substitution };

struct SaleItem {
    int number = 0;  // 1 for the coupon's first item
    std::string code;
    std::string description;
    std::string unit;
    std::string rateCode;  // as sent: "01".."16", "II", "NN", "FF", "SI", "SN", "SF"
    RateKind kind = RateKind::Slot;
    int slot = 0;        // 1-16 when kind is Slot
    bool iss = false;    // a service (ISS) item rather than a goods (ICMS) one
    int department = 0;  // 1-20 for a department sale, 0 otherwise
    std::int64_t quantity = 0;
    bool fractionalQuantity = false;  // sent with three decimals
    Money unitPrice = 0;
    Money gross = 0;  // quantity times unit price
    Money discount = 0;
    std::optional<int> discountPercent;  // when the discount was given as a percentage
    Money surcharge = 0;
    std::optional<int> surchargePercent;  // when the surcharge was given as a percentage
    Money closingShare = 0;  // this item's part of the subtotal's surcharge (+) or discount (-)
    bool cancelled = false;

    Money net() const { return gross - discount + surcharge; }
    bool operator==(const SaleItem&) const = default;
};

struct SalePayment {
    int form = 0;  // payment form slot, 1 first
    Money amount = 0;
    std::string text;     // free text printed under the payment
    int instalments = 0;  // 1-24 when the payment named them (journal printer), else 0
    bool operator==(const SalePayment&) const = default;
};

// Settings the host gives before an item, taken by the next item sold.
struct PendingItemExtras {
    std::string description;  // replaces the item command's short description
    std::string unit;
    bool operator==(const PendingItemExtras&) const = default;
};

struct SaleCoupon {
    int coo = 0;
    std::string customerId;  // CPF or CNPJ
    std::string customerName;
    std::string customerAddress;
    std::vector<SaleItem> items;
    Money closingSurcharge = 0;
    Money closingDiscount = 0;
    std::optional<int> surchargePercent;  // when the subtotal's surcharge was a percentage
    std::optional<int> discountPercent;   // when its discount was
    bool totalled = false;  // the total was printed: the subtotal takes no more changes
    std::vector<SalePayment> payments;
    bool closed = false;
    bool cancelled = false;
    bool additionalPrinted = false;  // the additional coupon was printed after the closing
    PendingItemExtras pending;
    // A passenger ticket is sold and closed like a coupon; it may end with the fare repeated.
    bool passengerTicket = false;
    bool fareAtEnd = false;
    bool operator==(const SaleCoupon&) const = default;
};

// Items not cancelled, net of their own discounts and surcharges.
Money itemsTotal(const SaleCoupon& coupon);
// What the customer owes: the items' total with the subtotal's surcharge or discount.
Money amountDue(const SaleCoupon& coupon);
Money amountPaid(const SaleCoupon& coupon);

// quantity (thousandths) times price, to centavos: rounded half up, or truncated.
Money itemValue(std::int64_t quantity, Money unitPrice, bool truncate);
// The department sale gives its unit price with three decimals (9 digits), its quantity too.
Money departmentItemValue(std::int64_t quantity, std::int64_t priceThousandths, bool truncate);
Money centavos(std::int64_t thousandths, bool truncate);
// `percent` hundredths of a percent of the value, rounded half up, or truncated.
Money percentOf(Money value, int percent, bool truncate);

// Spreads the subtotal's surcharge (+) or discount (-) over the items not cancelled, in
// proportion to their net values; what the rounding leaves goes to the largest of them. The parts
// add up to `adjustment` exactly.
void apportion(SaleCoupon& coupon, Money adjustment);

}  // namespace quelfi::sim
