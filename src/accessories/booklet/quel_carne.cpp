#include "accessories/booklet/quel_carne.h"

#include <algorithm>

#include "fiscal/argument_format.h"

namespace quelfi::accessories {

namespace {

constexpr std::size_t kAmountsMax = 349;
constexpr std::size_t kAmountMax = 14;
constexpr std::size_t kDatesLimit = 250;  // Datas must be shorter
constexpr std::size_t kDateMax = 10;
constexpr int kLongestPage = 24;  // lines

// The entries of a list separated by ';'; a ';' ending the list opens no entry.
std::vector<std::string_view> entries(std::string_view list) {
    std::vector<std::string_view> out;
    std::size_t from = 0;
    while (from <= list.size()) {
        const std::size_t end = std::min(list.find(';', from), list.size());
        if (end == list.size() && from == end && !out.empty()) break;
        out.push_back(list.substr(from, end - from));
        from = end + 1;
    }
    return out;
}

}  // namespace

bool QuelCarne::readAmounts(std::string_view parcela) {
    amounts_.clear();
    if (parcela.empty() || parcela.size() > kAmountsMax) return false;
    const auto list = entries(parcela);
    if (list.size() > static_cast<std::size_t>(instalments)) return false;
    for (const std::string_view entry : list) {
        const std::string digits = fiscal::keepDigits(entry);
        if (entry.size() > kAmountMax || digits.empty()) return false;
        amounts_.push_back(std::stoll(digits));
    }
    return true;
}

bool QuelCarne::readDates(std::string_view datas) {
    dates_.clear();
    if (datas.empty() || datas.size() >= kDatesLimit) return false;
    const auto list = entries(datas);
    if (list.size() > static_cast<std::size_t>(instalments)) return false;
    for (const std::string_view entry : list) {
        const auto date =
            entry.size() <= kDateMax ? Date::fromDigits(fiscal::keepDigits(entry)) : std::nullopt;
        if (!date) return false;
        dates_.push_back(*date);
    }
    return true;
}

std::int64_t QuelCarne::amount(int index) const {
    if (amounts_.empty()) return 0;
    return amounts_[std::min(static_cast<std::size_t>(index), amounts_.size() - 1)];
}

Date QuelCarne::dueDate(int index) const {
    if (dates_.empty()) return Date{};
    const int last = static_cast<int>(dates_.size()) - 1;
    return index <= last ? dates_[static_cast<std::size_t>(index)]
                         : dates_.back().addMonths(index - last);
}

std::size_t QuelCarne::amountWidth() const {
    if (amounts_.empty()) return amountText(99'999'999'999'999).size();
    std::size_t width = kAmountField;
    for (const std::int64_t a : amounts_) width = std::max(width, amountText(a).size());
    return width;
}

std::string QuelCarne::page(int copy, int instalment, int lines) {
    if (page_.empty()) {
        if (!title.empty()) page_.addTitle(title);
        if (!customer.empty()) page_.addCustomer(customer);
        if (!identity.empty()) page_.addIdentity(identity);
        if (!text.empty()) page_.addText(text);
    }
    page_.putInstalment(instalment, instalments, dueDate(instalment - 1).text(),
                        amountText(amount(instalment - 1)), amountWidth());
    page_.putCopy(copy, coupon);
    return page_.filled(lines);
}

// Every page of a booklet has the same length: the fields are as wide on all of them. Customer
// and identity count at the width reserved for them, which is all they may take.
std::size_t QuelCarne::pageLength() const {
    QuelCarne probe = *this;
    probe.page_ = BookletPage();
    probe.customer = customer.substr(0, std::min(customer.size(), kCustomerField));
    probe.identity = identity.substr(0, std::min(identity.size(), kIdentityField));
    return probe.page(kMaxCopies, instalments, kLongestPage).size();
}

}  // namespace quelfi::accessories
