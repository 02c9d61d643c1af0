// Closing a coupon: the start of closing (surcharge or discount on the subtotal), the payments,
// the end of closing with its message, the reversal of a payment, and the one-call closings.
#pragma once

#include "protocol/road.h"

namespace quelfi::fiscal {

using protocol::Road;

int startClosing(const Road& road, const char* flag, const char* type, const char* value);
int pay(const Road& road, const char* form, const char* amount);
int payByIndex(const Road& road, const char* index, const char* amount);
int payWithText(const Road& road, const char* form, const char* amount, const char* text);
int payOldFirmware(const Road& road, const char* form, const char* amount);
int finishClosing(const Road& road, const char* message);
int reversePayment(const Road& road, const char* from, const char* to, const char* amount);
int closeCoupon(const Road& road, const char* form, const char* flag, const char* type,
                const char* value, const char* amountPaid, const char* message);
int closeCouponInOnePayment(const Road& road, const char* form, const char* message);

}  // namespace quelfi::fiscal
