// The journal printer's document exports whose arguments have a shape of their own; the others
// run from the table of document_table.h.
#pragma once

#include "protocol/road.h"

namespace quelfi::mfd {

using protocol::Road;

// The coupon.
int openCoupon(const Road& road, const char* cpf, const char* name, const char* address);
int cancelCoupon(const Road& road, const char* cpf, const char* name, const char* address);
int programPaymentForm(const Road& road, const char* form, const char* tef);
int payInInstalments(const Road& road, const char* form, const char* amount,
                     const char* instalments, const char* text);
int adjustItem(const Road& road, const char* item, const char* flag, const char* type,
               const char* value);
int cancelItemAdjustment(const Road& road, const char* flag, const char* item);

// The non-fiscal receipt.
int registerReceiptItem(const Road& road, const char* index, const char* amount);
int cancelReceiptItem(const Road& road, const char* item);
int adjustReceiptItem(const Road& road, const char* item, const char* flag, const char* type,
                      const char* value);
int cancelReceiptItemAdjustment(const Road& road, const char* item, const char* flag);
int closeReceipt(const Road& road, const char* message);
int receiptSubtotal(const Road& road, char* subtotal);

// Management reports.
int nameReport(const Road& road, const char* index, const char* name);
int openReport(const Road& road, const char* index);
int printReportText(const Road& road, const char* text);
int printReportTextForTef(const Road& road, const char* text);

// The bound receipt, authentication and the cheque in the slip.
int openBoundReceipt(const Road& road, const char* form, const char* amount,
                     const char* couponNumber, const char* cpf, const char* name,
                     const char* address);
int authenticate(const Road& road, const char* lines, const char* text);
int printChequeText(const Road& road, int position, int lines, const char* message);

// The fast mode and the transport limits: no log, no printer.
int setFastMode(int mode);

}  // namespace quelfi::mfd
