// A due date of a payment booklet: a calendar day, and the same day some months later.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quelfi::accessories {

struct Date {
    std::uint16_t day = 0;
    std::uint16_t month = 0;
    std::uint16_t year = 0;

    // The last day of `month` (1-12) in `year`: February has 29 days in the years divisible by 4
    // and not by 100, and in those divisible by 400.
    static int lastDay(int month, int year);

    // DDMMAA or DDMMAAAA; two year digits are widened as on cheques (53-99 are 19xx, 00-52 20xx).
    // Nothing for another length or a day the calendar does not have.
    static std::optional<Date> fromDigits(std::string_view digits);

    // The same day `months` later, carried over as many years as it takes, cut to the last day of
    // a shorter month.
    Date addMonths(int months) const;

    // "31/01/2005".
    std::string text() const;
};

}  // namespace quelfi::accessories
