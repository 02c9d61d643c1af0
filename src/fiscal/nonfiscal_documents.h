// The documents besides the fiscal coupon: the management report, the bound receipt tied to a
// payment of the last coupon, the non-fiscal receipt and the two cash movements.
#pragma once

#include "protocol/road.h"

namespace quelfi::fiscal {

using protocol::Road;

// Management report: text (opening the report when none is open), and its closing.
int printReportText(const Road& road, const char* text);
int printReportTextForTef(const Road& road, const char* text);
int closeReport(const Road& road);

// Bound receipt: opening for a payment form (optionally for an amount of a given coupon), text,
// closing.
int openBoundReceipt(const Road& road, const char* form, const char* amount,
                     const char* couponNumber);
int printBoundReceiptText(const Road& road, const char* text);
int printBoundReceiptTextForTef(const Road& road, const char* text);
int closeBoundReceipt(const Road& road);

// Non-fiscal receipt on totalizer 01-50, paid in a form.
int registerNonFiscalReceipt(const Road& road, const char* index, const char* amount,
                             const char* form);

// Cash withdrawal (totalizer "SA") and supply (totalizer "SU", optionally naming the form).
int withdrawCash(const Road& road, const char* amount);
int supplyCash(const Road& road, const char* amount, const char* form);

}  // namespace quelfi::fiscal
