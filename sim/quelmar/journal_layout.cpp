#include "sim/quelmar/journal_layout.h"

#include <cstdio>

#include "sim/quelmar/code_page.h"
#include "sim/quelmar/coupon_layout.h"
#include "sim/quelmar/day_layout.h"
#include "sim/quelmar/receipt_layout.h"

namespace quelfi::sim::layout {
namespace {

std::string number(int value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", digits, value % 1000000);
    return buffer;
}

std::string signedMoney(bool plus, Money value) {
    return (plus ? "+" : "-") + money(value);
}

const char* adjustmentName(bool surcharge) {
    return surcharge ? "ACR\xC3\x89SCIMO" : "DESCONTO";
}

void append(std::vector<std::string>& lines, std::vector<std::string> more) {
    for (auto& line : more) lines.push_back(std::move(line));
}

}  // namespace

std::string itemAdjustment(int item, bool surcharge, const std::optional<int>& percentage,
                           Money value) {
    std::string label = std::string("    ") + (surcharge ? "acr\xC3\xA9scimo" : "desconto") +
                        " item " + number(item, 3);
    if (percentage) label += " " + money(*percentage) + "%";
    return spread(label, signedMoney(surcharge, value));
}

std::string itemAdjustmentCancellation(int item, bool surcharge, Money value) {
    return spread(
        std::string("CANCELAMENTO ") + adjustmentName(surcharge) + " ITEM " + number(item, 3),
        signedMoney(!surcharge, value));
}

std::string adjustmentCancellation(bool surcharge, Money value) {
    return spread(std::string("CANCELAMENTO ") + adjustmentName(surcharge),
                  signedMoney(!surcharge, value));
}

std::string subtotal(Money value) {
    return spread("SUBTOTAL R$", money(value));
}

std::string total(Money value) {
    return spread("TOTAL R$", money(value));
}

std::vector<std::string> receiptOpening(const FiscalModel& model, const SaleCoupon& receipt) {
    std::vector<std::string> lines = heading(model, receipt.coo, "COMPROVANTE N\xC3\x83O-FISCAL");
    append(lines, customer(receipt));
    lines.push_back(rule());
    return lines;
}

std::string receiptItem(const SaleItem& item) {
    return spread(number(item.number, 3) + " " + printerToUtf8(item.code) + " " +
                      printerToUtf8(item.description),
                  money(item.gross));
}

std::vector<std::string> openReceiptCancellation(const FiscalModel& model,
                                                 const SaleCoupon& receipt) {
    std::vector<std::string> lines = {rule(), centred("COMPROVANTE N\xC3\x83O-FISCAL CANCELADO"),
                                      spread("VALOR CANCELADO R$", money(amountDue(receipt)))};
    append(lines, foot(model));
    return lines;
}

std::vector<std::string> lastReceiptCancellation(const FiscalModel& model,
                                                 const SaleCoupon& receipt, int coo,
                                                 const Consumer& consumer) {
    std::vector<std::string> lines =
        heading(model, coo, "CANCELAMENTO DE COMPROVANTE N\xC3\x83O-FISCAL");
    append(lines, consumer.empty() ? customer(receipt) : customer(consumer));
    lines.push_back(spread("COO DO COMPROVANTE CANCELADO", number(receipt.coo, 6)));
    lines.push_back(spread("VALOR CANCELADO R$", money(amountDue(receipt))));
    append(lines, foot(model));
    return lines;
}

std::vector<std::string> reportOpening(const FiscalModel& model, int coo, int report) {
    std::vector<std::string> lines = heading(model, coo, "RELAT\xC3\x93RIO GERENCIAL");
    const ManagementReport& r = model.reports[static_cast<std::size_t>(report - 1)];
    lines.push_back(
        spread(number(report, 2) + " " + printerToUtf8(r.name), "CER:" + number(r.count, 4)));
    lines.push_back(rule());
    return lines;
}

std::vector<std::string> additionalCoupon(const FiscalModel& model, const SaleCoupon& coupon) {
    std::vector<std::string> lines = heading(model, coupon.coo, "CUPOM ADICIONAL");
    append(lines, customer(coupon));
    lines.push_back(rule());
    lines.push_back(total(amountDue(coupon)));
    for (const SalePayment& payment : coupon.payments) append(lines, couponPayment(model, payment));
    append(lines, foot(model));
    return lines;
}

std::vector<std::string> cliche(const FiscalModel& model) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < model.cliche.size(); at += kColumns) {
        std::string line = model.cliche.substr(at, kColumns);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        if (!line.empty()) lines.push_back(centred(printerToUtf8(line)));
    }
    return lines;
}

std::vector<std::string> boundFollowUp(const FiscalModel& model, int coo, std::string_view title,
                                       int boundCoo) {
    std::vector<std::string> lines = heading(model, coo, title);
    lines.push_back(spread("COO DO COMPROVANTE", number(boundCoo, 6)));
    return lines;
}

}  // namespace quelfi::sim::layout
