// The text of one page of a payment booklet, as the management report prints it: each section's
// label in bold, the instalment's three lines in double width, and blanks reserved after every
// label. The page is built once; each following page writes its values over those blanks, so every
// page has the same length and tears at the same place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quelfi::accessories {

// Blanks reserved after each label.
inline constexpr std::size_t kCustomerField = 30;
inline constexpr std::size_t kIdentityField = 20;
inline constexpr std::size_t kInstalmentField = 11;
inline constexpr std::size_t kDateField = 14;
inline constexpr std::size_t kAmountField = 13;
inline constexpr std::size_t kCopyField = 10;

// An amount in centavos as printed: "R$ 10,00", "R$ 0,05".
std::string amountText(std::int64_t cents);

class BookletPage {
  public:
    bool empty() const { return text_.empty(); }
    const std::string& text() const { return text_; }

    // The sections printed once, in this order, before the instalment.
    void addTitle(std::string_view title);
    void addCustomer(std::string_view name);
    void addIdentity(std::string_view identity);
    void addText(std::string_view text);

    // The instalment's number of `count`, due date and amount, in a field of `amountWidth`
    // characters at least; written over the previous page's values once the lines are there.
    void putInstalment(int number, int count, std::string_view dueDate, std::string_view amount,
                       std::size_t amountWidth);
    // The copy's number and the coupon, then the signature line.
    void putCopy(int copy, std::string_view coupon);

    // The page with line feeds added until it has `lines` lines (the report's own CR LF ends the
    // last one); a longer page stays as it is.
    std::string filled(int lines) const;

  private:
    // Writes `value` over the field after the last `label` on the page: the reserved blanks and
    // whatever a longer earlier value left before the end of its line. False when the label is not
    // on the page.
    bool overwrite(std::string_view label, std::string_view value, std::size_t reserved);

    std::string text_;
};

}  // namespace quelfi::accessories
