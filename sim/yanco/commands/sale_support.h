// What the sale commands share: turning a discount or surcharge request into an amount, and
// posting a coupon's amounts to the day's totals.
#pragma once

#include <optional>

#include "sim/yanco/commands/fields.h"
#include "sim/yanco/model.h"

namespace quelfi::sim::yanco {

// The adjustment of `base` the request asks for; null when it comes to nothing or when a
// discount would take the whole base.
std::optional<Adjustment> adjustmentOf(const field::AdjustmentRequest& request, Money base);

// A discount or surcharge counts in the day's totals (and a surcharge in the grand total) as
// soon as it is given; `issPart` of it falls on ISS items.
void postAdjustment(Model& model, const Adjustment& adjustment, Money issPart);

// The ended coupon's sales on their slots and its payments on their forms (the change taken
// from the last payment's form); `sign` -1 takes them back.
void postCoupon(Model& model, const Coupon& coupon, int sign);

}  // namespace quelfi::sim::yanco
