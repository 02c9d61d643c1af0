// How the fiscal coupon looks on the paper roll. The printer prints each part as the command that
// makes it arrives: the heading at the opening, each item as it is sold, the totals at the start
// of the closing, each payment, and the change, message and foot at the end.
//
//     (heading: cliché, CNPJ, IE, date, time and COO, "CUPOM FISCAL")
//     CPF/CNPJ consumidor: 123.456.789-09
//     ------------------------------------------------
//     ITEM CÓDIGO DESCRIÇÃO
//     QTD. UN. x VL UNIT(R$)      ST      VL ITEM(R$)
//     ------------------------------------------------
//     001 7891000100103 ARROZ TIPO 1
//         2 UN x 10,00            T18,00%       20,00
//         desconto 5,00%                        -1,00
//     CANCELAMENTO ITEM 001                    -19,00
//     SUBTOTAL R$                               53,10
//     ACRÉSCIMO 10,00%                          +5,31
//     TOTAL R$                                  58,41
//     Dinheiro                                  60,00
//     TROCO R$                                   1,59
//     ------------------------------------------------
//     (message)
//     (foot: serial number, firmware, store and register)
//
// Texts kept by the printer (code page 850) are printed as UTF-8.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim::layout {

std::vector<std::string> couponOpening(const FiscalModel& model, const SaleCoupon& coupon);
// The consumer's identification under a document's heading: CPF/CNPJ, name and address, each
// when given.
std::vector<std::string> customer(const Consumer& consumer);
std::vector<std::string> customer(const SaleCoupon& coupon);
// A surcharge (+) or discount (-) on the subtotal: "DESCONTO 5,00%   -1,50".
std::string adjustment(bool surcharge, const std::optional<int>& percentage, Money value);
// The column titles over the items, between rules.
std::vector<std::string> itemColumns();
std::vector<std::string> couponItem(const FiscalModel& model, const SaleItem& item);
std::vector<std::string> itemCancellation(const SaleItem& item);
std::vector<std::string> closingStart(const SaleCoupon& coupon);
std::vector<std::string> couponPayment(const FiscalModel& model, const SalePayment& payment);
std::vector<std::string> paymentReversal(const FiscalModel& model, int from, int to, Money amount);
// The end of a coupon: change, the closing message, then `barcodes` (what the print mechanism
// printed after the message), then the foot.
std::vector<std::string> couponEnd(const FiscalModel& model, const SaleCoupon& coupon,
                                   const std::string& message,
                                   const std::vector<std::string>& barcodes = {});
// The coupon cancelled while open: its end. `consumer`, when given, is the one the cancellation
// names.
std::vector<std::string> openCouponCancellation(const FiscalModel& model, const SaleCoupon& coupon,
                                                const Consumer& consumer = {});
// The last coupon cancelled after its closing: a document of its own with the COO `coo`.
std::vector<std::string> lastCouponCancellation(const FiscalModel& model, const SaleCoupon& coupon,
                                                int coo, const Consumer& consumer = {});

// A quantity in thousandths: "2" when it was sent whole, "1,500" otherwise.
std::string quantity(std::int64_t thousandths, bool fractional);

}  // namespace quelfi::sim::layout
