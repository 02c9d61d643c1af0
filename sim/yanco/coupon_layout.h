// How the Yanco printer's fiscal coupon looks on the paper roll. Each part prints as the command
// that makes it arrives:
//
//     (heading: owner's header, CNPJ, IE, date, time and COO, "CUPOM FISCAL")
//     ITEM CODIGO DESCRICAO
//     QTD x VL UNIT          ST       VL ITEM
//     ------------------------------------------
//     001 7891000100103 ARROZ TIPO 1
//         2 x 10,00             T18,00%   20,00
//         DESCONTO 10,00%                 -2,00
//     CANCELADO ITEM 001                 -18,00
//     SUBTOTAL                            53,10
//     ACRESCIMO 10,00%                    +5,31
//     TOTAL R$                            58,41
//     Dinheiro                            60,00
//     TROCO R$                             1,59
//     ------------------------------------------
//     (message)
//     (foot: serial number, firmware, store and register)
#pragma once

#include <string>
#include <vector>

#include "sim/yanco/model.h"

namespace quelfi::sim::yanco::layout {

std::vector<std::string> couponColumns();
std::vector<std::string> couponItem(const Model& model, const SaleItem& item, int number);
std::vector<std::string> itemAdjustment(const Adjustment& adjustment);
std::vector<std::string> itemCancellation(const SaleItem& item, int number);
std::vector<std::string> subtotalAdjustment(const Coupon& coupon);
std::vector<std::string> couponPayment(const Model& model, const Coupon& coupon,
                                       const SalePayment& payment);
std::vector<std::string> couponEnd(const Model& model, const Coupon& coupon,
                                   std::string_view message);
// The coupon cancelled while open: its end.
std::vector<std::string> openCouponCancellation(const Model& model, const Coupon& coupon);
// The body of the document that cancels the last coupon.
std::vector<std::string> lastCouponCancellation(const Coupon& coupon);

// A quantity in thousandths: "2" when whole, "1,500" otherwise.
std::string quantity(std::int64_t thousandths);

}  // namespace quelfi::sim::yanco::layout
