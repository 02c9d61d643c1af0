// How the journal printer's own documents and steps look on the paper roll: the adjustments of
// items and of the subtotal and their cancellations, the subtotal and the total, the non-fiscal
// receipt, the named management report, the additional coupon, the cliché printed ahead, and the
// bound receipt's reprint, second copy and reversal. Lines as UTF-8, 48 columns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim::layout {

// "    acréscimo item 002            +2,00", "    desconto item 001 10,00%   -0,80".
std::string itemAdjustment(int item, bool surcharge, const std::optional<int>& percentage,
                           Money value);
std::string itemAdjustmentCancellation(int item, bool surcharge, Money value);
std::string adjustmentCancellation(bool surcharge, Money value);
std::string subtotal(Money value);
std::string total(Money value);

// The receipt's heading with the consumer; each of its items: "001 01 CONTA DE LUZ   85,40".
std::vector<std::string> receiptOpening(const FiscalModel& model, const SaleCoupon& receipt);
std::string receiptItem(const SaleItem& item);
// The open receipt cancelled: its end. The last one cancelled after its closing: a document of
// its own with the COO `coo`.
std::vector<std::string> openReceiptCancellation(const FiscalModel& model,
                                                 const SaleCoupon& receipt);
// The consumer the cancellation names, or the receipt's own when none is given.
std::vector<std::string> lastReceiptCancellation(const FiscalModel& model,
                                                 const SaleCoupon& receipt, int coo,
                                                 const Consumer& consumer);

// A management report's heading: its title and the report's number and name.
std::vector<std::string> reportOpening(const FiscalModel& model, int coo, int report);

// The additional coupon: the coupon's COO, the consumer, its total and payments.
std::vector<std::string> additionalCoupon(const FiscalModel& model, const SaleCoupon& coupon);

// The owner's cliché alone.
std::vector<std::string> cliche(const FiscalModel& model);

// The heading of a reprint, a second copy or a reversal of the bound receipt `boundCoo`.
std::vector<std::string> boundFollowUp(const FiscalModel& model, int coo, std::string_view title,
                                       int boundCoo);

}  // namespace quelfi::sim::layout
