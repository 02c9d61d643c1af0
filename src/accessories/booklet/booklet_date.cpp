#include "accessories/booklet/booklet_date.h"

#include <cstdio>

#include "fiscal/cheque_fields.h"

namespace quelfi::accessories {

namespace {

int number(std::string_view digits) {
    int n = 0;
    for (const char c : digits) n = n * 10 + (c - '0');
    return n;
}

}  // namespace

int Date::lastDay(int month, int year) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

std::optional<Date> Date::fromDigits(std::string_view digits) {
    if (digits.size() != 6 && digits.size() != 8) return std::nullopt;
    for (const char c : digits)
        if (c < '0' || c > '9') return std::nullopt;
    const int day = number(digits.substr(0, 2));
    const int month = number(digits.substr(2, 2));
    int year = number(digits.substr(4));
    if (digits.size() == 6) year = fiscal::fullYear(year);
    if (month < 1 || month > 12 || day < 1 || day > lastDay(month, year)) return std::nullopt;
    return Date{static_cast<std::uint16_t>(day), static_cast<std::uint16_t>(month),
                static_cast<std::uint16_t>(year)};
}

Date Date::addMonths(int months) const {
    const int counted = month - 1 + months;
    const int newYear = year + counted / 12;
    const int newMonth = counted % 12 + 1;
    const int newDay = day < lastDay(newMonth, newYear) ? day : lastDay(newMonth, newYear);
    return Date{static_cast<std::uint16_t>(newDay), static_cast<std::uint16_t>(newMonth),
                static_cast<std::uint16_t>(newYear)};
}

std::string Date::text() const {
    char out[32];
    std::snprintf(out, sizeof out, "%02u/%02u/%04u", unsigned{day}, unsigned{month},
                  unsigned{year});
    return out;
}

}  // namespace quelfi::accessories
