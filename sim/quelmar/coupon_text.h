// The coupon record in the printer's settings text (model_text.h), so that a coupon being sold, or
// the last one still cancellable, survives in the model file:
//
//     coupon.coo=1235; coupon.customer=123.456.789-09; coupon.name=; coupon.address=
//     coupon.closed=0; coupon.cancelled=0; coupon.surcharge=4.19; coupon.discount=0.00
//     coupon.surcharge.percent=10.00; coupon.discount.percent= (empty: given as a value)
//     coupon.totalled=0; coupon.additional=0 (the additional coupon was printed)
//     coupon.pending.description=...; coupon.pending.unit=KG   (extras for the next item)
//     coupon.ticket=1; coupon.ticket.fare=1   (a passenger ticket, ending with its fare)
//     coupon.item.N=code,description,unit,rate,iss,department,quantity,fractional,price,gross,
//                   discount,percent,surcharge,share,cancelled,surcharge percent
//     coupon.payment.N=form,amount,text,instalments
//
// Items and payments are numbered from 1; N may be one past the last to add one. Amounts are
// decimals with a point (share may be negative), quantities have three decimals, flags 0 or 1.
// The journal printer's non-fiscal receipt is the same record under "receipt." (items without a
// rate). Older files' "coupon.percent" is still read.
#pragma once

#include <string>
#include <string_view>

#include "sim/quelmar/sale_coupon.h"

namespace quelfi::sim {

// The record's settings, one a line; nothing for a printer that never sold a coupon.
std::string couponText(const SaleCoupon& coupon, std::string_view prefix = "coupon");

// Applies one setting whose key follows the prefix and its dot; empty when applied, else the
// error.
std::string applyCouponSetting(SaleCoupon& coupon, std::string_view key, std::string_view value,
                               std::string_view prefix = "coupon");

}  // namespace quelfi::sim
