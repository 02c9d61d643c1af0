#include "sim/quelmar/coupon_layout.h"

#include <algorithm>
#include <cstdio>

#include "sim/quelmar/code_page.h"
#include "sim/quelmar/receipt_layout.h"

namespace quelfi::sim::layout {
namespace {

constexpr std::size_t kLabelWidth = 7;
constexpr std::size_t kAmountWidth = 12;

// Printer text without control bytes and trailing blanks, as UTF-8.
std::string printable(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return printerToUtf8(out);
}

// Printer text cut into lines of the paper's width, between words where it can be; lines after
// the first are indented by `indent` blanks. Each line as UTF-8.
std::vector<std::string> wrapped(std::string_view text, std::size_t indent = 0) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t width = lines.empty() ? kColumns : kColumns - indent;
        std::size_t cut = std::min(width, text.size());
        if (cut < text.size() && text[cut] != ' ') {
            const std::size_t blank = text.substr(0, cut).rfind(' ');
            if (blank != std::string_view::npos && blank > 0) cut = blank;
        }
        std::string line = printable(text.substr(0, cut));
        if (!line.empty()) lines.push_back((lines.empty() ? "" : std::string(indent, ' ')) + line);
        text.remove_prefix(cut);
        while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    }
    return lines;
}

std::string number(int value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", digits, value % 1000000);
    return buffer;
}

std::string percent(int hundredths) {
    return money(hundredths) + "%";
}

std::string padRight(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

std::string padLeft(const std::string& text, std::size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string formName(const FiscalModel& model, int slot) {
    if (slot < 1 || slot > static_cast<int>(model.paymentForms.size())) return "?";
    return printable(model.paymentForms[static_cast<std::size_t>(slot - 1)].name);
}

// "T18,00%" for a goods rate, "S05,00%" for a service rate, the letters of the others.
std::string rateLabel(const FiscalModel& model, const SaleItem& item) {
    if (item.kind != RateKind::Slot) return item.rateCode;
    const std::size_t slot = static_cast<std::size_t>(item.slot - 1);
    const int rate = slot < model.taxRates.size() ? model.taxRates[slot].hundredths : 0;
    char label[16];
    std::snprintf(label, sizeof label, "%c%02d,%02d%%", item.iss ? 'S' : 'T', rate / 100 % 100,
                  rate % 100);
    return label;
}

}  // namespace

std::string quantity(std::int64_t thousandths, bool fractional) {
    if (!fractional) return std::to_string(thousandths / 1000);
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ",%03d", static_cast<int>(thousandths % 1000));
    return std::to_string(thousandths / 1000) + fraction;
}

std::vector<std::string> customer(const Consumer& consumer) {
    std::vector<std::string> lines;
    if (!printable(consumer.id).empty())
        lines.push_back("CPF/CNPJ consumidor: " + printable(consumer.id));
    // Labels in the printer's code page, like the texts they introduce.
    if (!consumer.name.empty())
        for (auto& line : wrapped("Nome: " + consumer.name, 6)) lines.push_back(line);
    if (!consumer.address.empty())
        for (auto& line : wrapped("Endere\x87o: " + consumer.address, 10)) lines.push_back(line);
    return lines;
}

std::vector<std::string> customer(const SaleCoupon& coupon) {
    return customer(Consumer{coupon.customerId, coupon.customerName, coupon.customerAddress});
}

std::string adjustment(bool surcharge, const std::optional<int>& percentage, Money value) {
    std::string label = surcharge ? "ACR\xC3\x89SCIMO" : "DESCONTO";
    if (percentage) label += " " + percent(*percentage);
    return spread(label, (surcharge ? "+" : "-") + money(value));
}

std::vector<std::string> couponOpening(const FiscalModel& model, const SaleCoupon& coupon) {
    std::vector<std::string> lines = heading(model, coupon.coo, "CUPOM FISCAL");
    for (auto& line : customer(coupon)) lines.push_back(std::move(line));
    for (auto& line : itemColumns()) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> itemColumns() {
    return {rule(),
            "ITEM C\xC3\x93"
            "DIGO DESCRI\xC3\x87\xC3\x83O",
            spread("QTD. UN. x VL UNIT(R$)",
                   padRight("ST", kLabelWidth) + padLeft("VL ITEM(R$)", kAmountWidth)),
            rule()};
}

std::vector<std::string> couponItem(const FiscalModel& model, const SaleItem& item) {
    std::vector<std::string> lines =
        wrapped(number(item.number, 3) + " " + item.code + " " + item.description, 4);
    std::string left = "    " + quantity(item.quantity, item.fractionalQuantity);
    if (!printable(item.unit).empty()) left += " " + printable(item.unit);
    left += " x " + money(item.unitPrice);
    lines.push_back(spread(left, padRight(rateLabel(model, item), kLabelWidth) +
                                     padLeft(money(item.gross), kAmountWidth)));
    if (item.department > 0) {
        const std::string& name =
            model.departments[static_cast<std::size_t>(item.department - 1)].name;
        lines.push_back("    DEPTO " + number(item.department, 2) + " " + printable(name));
    }
    if (item.discount > 0) {
        const std::string label = item.discountPercent
                                      ? "    desconto " + percent(*item.discountPercent)
                                      : "    desconto";
        lines.push_back(spread(label, "-" + money(item.discount)));
    }
    if (item.surcharge > 0)
        lines.push_back(spread("    acr\xC3\xA9scimo", "+" + money(item.surcharge)));
    return lines;
}

std::vector<std::string> itemCancellation(const SaleItem& item) {
    return {spread("CANCELAMENTO ITEM " + number(item.number, 3), "-" + money(item.net()))};
}

std::vector<std::string> closingStart(const SaleCoupon& coupon) {
    std::vector<std::string> lines;
    if (coupon.closingSurcharge != 0 || coupon.closingDiscount != 0)
        lines.push_back(spread("SUBTOTAL R$", money(itemsTotal(coupon))));
    if (coupon.closingSurcharge != 0)
        lines.push_back(adjustment(true, coupon.surchargePercent, coupon.closingSurcharge));
    if (coupon.closingDiscount != 0)
        lines.push_back(adjustment(false, coupon.discountPercent, coupon.closingDiscount));
    lines.push_back(spread("TOTAL R$", money(amountDue(coupon))));
    return lines;
}

std::vector<std::string> couponPayment(const FiscalModel& model, const SalePayment& payment) {
    std::vector<std::string> lines = {spread(formName(model, payment.form), money(payment.amount))};
    if (payment.instalments > 1)
        lines.push_back("  em " + std::to_string(payment.instalments) + " parcelas");
    if (!payment.text.empty())
        for (auto& line : wrapped("  " + payment.text, 2)) lines.push_back(line);
    return lines;
}

std::vector<std::string> paymentReversal(const FiscalModel& model, int from, int to, Money amount) {
    return {
        spread("ESTORNO " + formName(model, from) + " > " + formName(model, to), money(amount))};
}

std::vector<std::string> couponEnd(const FiscalModel& model, const SaleCoupon& coupon,
                                   const std::string& message,
                                   const std::vector<std::string>& barcodes) {
    std::vector<std::string> lines;
    const Money change = amountPaid(coupon) - amountDue(coupon);
    if (change > 0) lines.push_back(spread("TROCO R$", money(change)));
    if (coupon.passengerTicket && coupon.fareAtEnd)
        lines.push_back(spread("VALOR DA PASSAGEM R$", money(amountDue(coupon))));
    std::vector<std::string> messageLines;
    std::size_t start = 0;
    while (start <= message.size()) {
        std::size_t end = message.find('\n', start);
        if (end == std::string::npos) end = message.size();
        for (auto& line : wrapped(message.substr(start, end - start)))
            messageLines.push_back(std::move(line));
        start = end + 1;
    }
    if (!messageLines.empty()) {
        lines.push_back(rule());
        lines.insert(lines.end(), messageLines.begin(), messageLines.end());
    }
    lines.insert(lines.end(), barcodes.begin(), barcodes.end());
    for (auto& line : foot(model)) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> openCouponCancellation(const FiscalModel& model, const SaleCoupon& coupon,
                                                const Consumer& consumer) {
    std::vector<std::string> lines = {rule(), centred("CUPOM FISCAL CANCELADO")};
    for (auto& line : customer(consumer)) lines.push_back(std::move(line));
    lines.push_back(spread("VALOR CANCELADO R$", money(amountDue(coupon))));
    for (auto& line : foot(model)) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> lastCouponCancellation(const FiscalModel& model, const SaleCoupon& coupon,
                                                int coo, const Consumer& consumer) {
    std::vector<std::string> lines = heading(model, coo, "CANCELAMENTO DE CUPOM FISCAL");
    for (auto& line : customer(consumer)) lines.push_back(std::move(line));
    lines.push_back(spread("COO DO CUPOM CANCELADO", number(coupon.coo, 6)));
    lines.push_back(spread("VALOR CANCELADO R$", money(amountDue(coupon))));
    for (auto& line : foot(model)) lines.push_back(std::move(line));
    return lines;
}

}  // namespace quelfi::sim::layout
