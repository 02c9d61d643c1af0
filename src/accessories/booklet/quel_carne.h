// One payment booklet: its texts, instalments, amounts and due dates as read from the export's
// arguments, and its pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "accessories/booklet/booklet_date.h"
#include "accessories/booklet/booklet_page.h"

namespace quelfi::accessories {

inline constexpr int kMaxInstalments = 24;
inline constexpr int kMaxCopies = 2;

class QuelCarne {
  public:
    std::string title;
    std::string customer;
    std::string identity;  // RG or CPF
    std::string text;
    std::string coupon;  // the fiscal coupon's number, digits; may be empty
    int instalments = 1;
    int copies = 1;

    // The Parcela argument: amounts in centavos separated by ';', at most 349 characters, at most
    // one per instalment, each at most 14 characters of which only the digits count. False when
    // refused.
    bool readAmounts(std::string_view parcela);
    // The Datas argument: due dates separated by ';', fewer than 250 characters, at most one per
    // instalment, each at most 10 characters and a calendar day of 6 or 8 digits once the
    // separators are left out. False when refused.
    bool readDates(std::string_view datas);

    // Instalment `index` (from 0): the amount given for it, else the last amount given.
    std::int64_t amount(int index) const;
    // Instalment `index` (from 0): the date given for it, else the last date given that many
    // months later (counted from that date, so a 31st stays the month's last day).
    Date dueDate(int index) const;

    // The widest amount printed, at least the blanks the page reserves for it; before the
    // amounts are read, the widest any amount can be.
    std::size_t amountWidth() const;

    // The text of page `instalment` (from 1) of copy `copy` (from 1), `lines` lines long.
    std::string page(int copy, int instalment, int lines);

    // The length of a page of this booklet at the most lines a page is given.
    std::size_t pageLength() const;

  private:
    std::vector<std::int64_t> amounts_;
    std::vector<Date> dates_;
    BookletPage page_;
};

}  // namespace quelfi::accessories
