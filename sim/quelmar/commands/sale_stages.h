// The stages the journal printer's fiscal coupon and non-fiscal receipt share: a surcharge or
// discount on an item and its cancellation, the subtotal with its own surcharge or discount and
// their cancellation, the total, the start of the closing and the payments in instalments. Each
// document runs them under its own command bytes; only the coupon moves the day's fiscal totals
// as it goes, the receipt counts itself at its end.
#pragma once

#include "sim/quelmar/command_registry.h"

namespace quelfi::sim::stages {

struct Stages {
    SaleCoupon FiscalModel::*record;
    DocumentState items;     // items being registered
    DocumentState subtotal;  // the subtotal taken: its adjustments, then the total
    DocumentState payment;   // the closing started
    bool fiscal;
};

inline constexpr Stages kCoupon{&FiscalModel::coupon, DocumentState::Coupon,
                                DocumentState::CouponSubtotal, DocumentState::CouponPayment, true};
inline constexpr Stages kReceipt{&FiscalModel::receipt, DocumentState::NonFiscalReceipt,
                                 DocumentState::ReceiptSubtotal, DocumentState::ReceiptPayment,
                                 false};

// Flag 'A' or 'D', the item (3 digits), a percentage (4) or a value (8).
void itemAdjustment(CommandContext& c, const Stages& stages);
// Flag 'A' or 'D' in either case, the item (3 digits).
void cancelItemAdjustment(CommandContext& c, const Stages& stages);
void subtotalize(CommandContext& c, const Stages& stages);
// 'A'/'D' and a percentage (4), or 'a'/'d' and a value (14).
void subtotalAdjustment(CommandContext& c, const Stages& stages);
// Flag 'A' or 'D' in either case.
void cancelSubtotalAdjustment(CommandContext& c, const Stages& stages);
void totalize(CommandContext& c, const Stages& stages);
// 'A'/'D' and a percentage (4) or 'a'/'d' and a value (14); on the journal printer also 'X' and
// two percentages or 'x' and two values, the surcharge first.
void startClosing(CommandContext& c, const Stages& stages);
// The payment form's index (2), the amount (14), the instalments (2), an optional text (80).
void instalmentPayment(CommandContext& c);

}  // namespace quelfi::sim::stages
