#include "accessories/booklet/booklet_page.h"

#include <algorithm>

#include "fiscal/argument_format.h"

namespace quelfi::accessories {

namespace {

constexpr char kEsc = 0x1B;
constexpr char kShiftOut = 0x0E;  // after ESC: double width to the end of the line
const std::string kBoldOn = {kEsc, 'E'};
const std::string kBoldOff = {kEsc, 'F'};
const std::string kDoubleWidth = {kEsc, kShiftOut};

constexpr std::string_view kCustomerLabel = "CLIENTE: ";
constexpr std::string_view kIdentityLabel = "RG/CPF:  ";
constexpr std::string_view kInstalmentLabel = "PARCELA: ";
constexpr std::string_view kDateLabel = "DATA: ";
constexpr std::string_view kAmountLabel = "VALOR: ";
constexpr std::string_view kCopyLabel = "Via:  ";
constexpr std::string_view kCouponLabel = "Cupom fiscal: ";
constexpr std::string_view kSignature = "\n\n\n\n______________________________\n    Assinatura";

std::string field(std::string_view value, std::size_t width) {
    return fiscal::blankFill(value, width);
}

// A bold label and its value on a line of their own.
std::string labelled(std::string_view label, std::string_view value) {
    return kBoldOn + std::string(label) + std::string(value) + "\n" + kBoldOff;
}

}  // namespace

std::string amountText(std::int64_t cents) {
    const std::string digits = std::to_string(cents / 100);
    const std::int64_t rest = cents % 100;
    return "R$ " + digits + "," + static_cast<char>('0' + rest / 10) +
           static_cast<char>('0' + rest % 10);
}

void BookletPage::addTitle(std::string_view title) {
    text_ += kBoldOn + kDoubleWidth + std::string(title) + "\n" + kBoldOff;
}

void BookletPage::addCustomer(std::string_view name) {
    text_ += labelled(kCustomerLabel, field(name, kCustomerField));
}

void BookletPage::addIdentity(std::string_view identity) {
    text_ += labelled(kIdentityLabel, field(identity, kIdentityField));
}

void BookletPage::addText(std::string_view text) {
    text_ += std::string(text) + "\n";
}

void BookletPage::putInstalment(int number, int count, std::string_view dueDate,
                                std::string_view amount, std::size_t amountWidth) {
    const std::string instalment = std::to_string(number) + "/" + std::to_string(count);
    const std::size_t width = std::max(amountWidth, kAmountField);
    if (overwrite(kInstalmentLabel, instalment, kInstalmentField)) {
        overwrite(kDateLabel, dueDate, kDateField);
        overwrite(kAmountLabel, amount, width);
        return;
    }
    text_ += kBoldOn + kDoubleWidth + std::string(kInstalmentLabel) +
             field(instalment, kInstalmentField) + kBoldOff + "\n" + kDoubleWidth + kBoldOn +
             std::string(kDateLabel) + field(dueDate, kDateField) + kBoldOff + "\n" + kDoubleWidth +
             kBoldOn + std::string(kAmountLabel) + field(amount, width) + "\n" + kBoldOff;
}

void BookletPage::putCopy(int copy, std::string_view coupon) {
    const std::string number = std::to_string(copy);
    if (overwrite(kCopyLabel, number, kCopyField)) return;
    text_ += labelled(kCopyLabel, field(number, kCopyField)) + labelled(kCouponLabel, coupon) +
             std::string(kSignature);
}

std::string BookletPage::filled(int lines) const {
    std::string page = text_;
    const auto feeds = std::count(page.begin(), page.end(), '\n');
    if (feeds + 1 < lines) page.append(static_cast<std::size_t>(lines - 1 - feeds), '\n');
    return page;
}

// The fields written over come after every text the caller gives except the coupon, which holds
// only digits, so the last occurrence of a label is always the page's own.
bool BookletPage::overwrite(std::string_view label, std::string_view value, std::size_t reserved) {
    const std::size_t at = text_.rfind(label);
    if (at == std::string::npos) return false;
    const std::size_t from = at + label.size();
    std::size_t to = std::min(from + reserved, text_.size());
    while (to < text_.size() && static_cast<unsigned char>(text_[to]) >= 0x20) ++to;
    text_.replace(from, to - from, field(value, reserved));
    return true;
}

}  // namespace quelfi::accessories
