// The Yanco printer's sale cycle: its own operations (the Yanco_FI_ exports and the two lookups
// they use), and the Yanco paths of the Quelmar coupon exports, which bring their arguments to the
// adapter's forms and hand the call over.
#pragma once

#include <string>

#include "protocol/road.h"

namespace quelfi::yanco {

using protocol::Road;

// --- The adapter's operations ------------------------------------------------------------------
int sellItem(const Road& road, const char* code, const char* description, const char* rate,
             const char* quantityType, const char* quantity, int decimalPlaces,
             const char* unitPrice, const char* discountType, const char* discount);
int adjustItem(const Road& road, const char* flag, const char* type, const char* value);
int cancelLastItem(const Road& road);
int cancelItem(const Road& road, const char* number);
int cancelCoupon(const Road& road);
int startClosing(const Road& road, const char* flag, const char* type, const char* value);
int pay(const Road& road, const char* form, const char* amount);
int finishClosing(const Road& road, const char* message);
int closeCouponInOnePayment(const Road& road, const char* form, const char* message);
int closeCoupon(const Road& road, const char* form, const char* flag, const char* type,
                const char* value, const char* amountPaid, const char* message);

// Yanco_FI_ObtemIndiceFormaPagamento: the form's two-digit number in the printer's table, empty
// when no entry carries the description. 1, or the configuration question's failure.
int paymentFormIndex(const Road& road, const std::string& description, std::string& index);
// The 1-based slot of a rate in the printer's table (read once for the process), 0 when none:
// 1, or the configuration question's failure.
int rateIndex(const Road& road, int rate, int& index);

// --- The Quelmar exports' Yanco paths -----------------------------------------------------------
int startClosingFromQuelmar(const Road& road, const char* flag, const char* type,
                            const char* value);
int payFromQuelmar(const Road& road, const char* form, const char* amount);
int finishClosingFromQuelmar(const Road& road, const char* message);
int closeCouponFromQuelmar(const Road& road, const char* form, const char* flag, const char* type,
                           const char* value, const char* amountPaid, const char* message);
int closeCouponInOnePaymentFromQuelmar(const Road& road, const char* form, const char* message);

}  // namespace quelfi::yanco
