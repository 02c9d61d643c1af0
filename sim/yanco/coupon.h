// The fiscal coupon on the Yanco printer: its items on the sale slots, their discounts and
// surcharges, the one on the subtotal, and the payments; and the arithmetic of its totals.
// Amounts are in centavos, quantities in thousandths, unit prices in thousandths of a real.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quelfi::sim::yanco {

using Money = std::int64_t;

enum class Tax { Icms, Iss };

// Items sell on 16 slots: the 13 programmed rates, then substitution (F), exemption (I) and
// non-incidence (N), which are ICMS situations.
inline constexpr std::size_t kSaleSlots = 16;
inline constexpr int kSubstitutionSlot = 14;
inline constexpr int kExemptSlot = 15;
inline constexpr int kNonIncidenceSlot = 16;

// A discount (negative amount) or a surcharge (positive), given as a value or as a percentage.
struct Adjustment {
    Money amount = 0;
    int percent = 0;  // hundredths of a percent; 0 when given as a value
    bool operator==(const Adjustment&) const = default;
};

struct SaleItem {
    std::string code;
    std::string description;
    int slot = 1;  // 1-16
    Tax tax = Tax::Icms;
    std::int64_t quantity = 0;   // thousandths
    std::int64_t unitPrice = 0;  // thousandths of a real
    bool threeDecimals = false;  // the price is printed with three decimals
    Money total = 0;             // quantity times price, rounded to the centavo
    std::optional<Adjustment> adjustment;
    bool cancelled = false;
    Money net() const;
    bool operator==(const SaleItem&) const = default;
};

struct SalePayment {
    int form = 1;  // 1-30
    Money amount = 0;
    bool operator==(const SalePayment&) const = default;
};

struct Coupon {
    int coo = 0;
    std::vector<SaleItem> items;
    std::optional<Adjustment> adjustment;  // on the subtotal
    std::vector<SalePayment> payments;
    bool ended = false;
    bool cancelled = false;

    // The items still standing, each with its own adjustment.
    Money subtotal() const;
    // The subtotal with its adjustment: what the customer pays.
    Money total() const;
    Money paid() const;
    Money change() const;
    // What the coupon adds to each sale slot: the items' net amounts, with the subtotal's
    // adjustment spread over the slots by their share (the rounding rest on the largest).
    std::array<Money, kSaleSlots> slotTotals() const;
    // The part of the subtotal's adjustment that falls on the ISS items.
    Money issShare(Money amount) const;
    bool operator==(const Coupon&) const = default;
};

// Quantity (thousandths) times unit price (thousandths of a real), rounded to the centavo.
Money itemTotal(std::int64_t quantity, std::int64_t unitPrice);
// `percent` hundredths of a percent of `base`, rounded to the centavo.
Money percentOf(Money base, int percent);

}  // namespace quelfi::sim::yanco
