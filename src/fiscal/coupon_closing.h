// Closing a coupon: the start of closing (surcharge or discount on the subtotal), the payments,
// the end of closing with its message, the reversal of a payment, and the one-call closings.
#pragma once

namespace quelfi::fiscal {

int startClosing(const char* flag, const char* type, const char* value);
int pay(const char* form, const char* amount);
int payByIndex(const char* index, const char* amount);
int payWithText(const char* form, const char* amount, const char* text);
int payOldFirmware(const char* form, const char* amount);
int finishClosing(const char* message);
int reversePayment(const char* from, const char* to, const char* amount);
int closeCoupon(const char* form, const char* flag, const char* type, const char* value,
                const char* amountPaid, const char* message);
int closeCouponInOnePayment(const char* form, const char* message);

}  // namespace quelfi::fiscal
