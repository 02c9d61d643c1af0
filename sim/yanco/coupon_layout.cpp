#include "sim/yanco/coupon_layout.h"

#include "sim/yanco/paper_layout.h"

namespace quelfi::sim::yanco::layout {
namespace {

std::string signedAmount(Money value) {
    return (value > 0 ? "+" : "") + amount(value);
}

std::string adjustmentLabel(const Adjustment& adjustment) {
    std::string label = adjustment.amount < 0 ? "DESCONTO" : "ACRESCIMO";
    if (adjustment.percent != 0) label += " " + percent(adjustment.percent);
    return label;
}

std::string unitPrice(const SaleItem& item) {
    if (!item.threeDecimals) return amount(item.unitPrice / 10);
    return std::to_string(item.unitPrice / 1000) + "," + digits(item.unitPrice % 1000, 3);
}

}  // namespace

std::string quantity(std::int64_t thousandths) {
    if (thousandths % 1000 == 0) return std::to_string(thousandths / 1000);
    return std::to_string(thousandths / 1000) + "," + digits(thousandths % 1000, 3);
}

std::vector<std::string> couponColumns() {
    return {"ITEM CODIGO DESCRICAO", spread("QTD x VL UNIT          ST", "VL ITEM"), rule()};
}

std::vector<std::string> couponItem(const Model& model, const SaleItem& item, int number) {
    std::string first =
        digits(number, 3) + " " + trimmed(item.code) + " " + trimmed(item.description);
    return {printable(first.substr(0, kColumns)),
            spread("    " + quantity(item.quantity) + " x " + unitPrice(item),
                   slotMark(model, item.slot) + "   " + amount(item.total))};
}

std::vector<std::string> itemAdjustment(const Adjustment& adjustment) {
    return {spread("    " + adjustmentLabel(adjustment), signedAmount(adjustment.amount))};
}

std::vector<std::string> itemCancellation(const SaleItem& item, int number) {
    return {spread("CANCELADO ITEM " + digits(number, 3), amount(-item.net()))};
}

std::vector<std::string> subtotalAdjustment(const Coupon& coupon) {
    return {spread("SUBTOTAL", amount(coupon.subtotal())),
            spread(adjustmentLabel(*coupon.adjustment), signedAmount(coupon.adjustment->amount))};
}

std::vector<std::string> couponPayment(const Model& model, const Coupon& coupon,
                                       const SalePayment& payment) {
    std::vector<std::string> lines;
    if (coupon.payments.size() == 1) lines.push_back(spread("TOTAL R$", amount(coupon.total())));
    const auto& form = model.paymentForms[static_cast<std::size_t>(payment.form - 1)];
    lines.push_back(spread(printable(form.name), amount(payment.amount)));
    return lines;
}

std::vector<std::string> couponEnd(const Model& model, const Coupon& coupon,
                                   std::string_view message) {
    std::vector<std::string> lines;
    if (coupon.change() > 0) lines.push_back(spread("TROCO R$", amount(coupon.change())));
    lines.push_back(rule());
    for (const std::string& line : textLines(message)) lines.push_back(line);
    for (const std::string& line : foot(model)) lines.push_back(line);
    return lines;
}

std::vector<std::string> openCouponCancellation(const Model& model, const Coupon& coupon) {
    std::vector<std::string> lines{centred("CUPOM CANCELADO"),
                                   spread("TOTAL CANCELADO R$", amount(coupon.total()))};
    for (const std::string& line : foot(model)) lines.push_back(line);
    return lines;
}

std::vector<std::string> lastCouponCancellation(const Coupon& coupon) {
    return {spread("COO DO CUPOM", digits(coupon.coo, 6)),
            spread("TOTAL CANCELADO R$", amount(coupon.total()))};
}

}  // namespace quelfi::sim::yanco::layout
