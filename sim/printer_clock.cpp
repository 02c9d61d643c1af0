#include "sim/printer_clock.h"

#include <time.h>

namespace quelfi::sim {

namespace {

// Seconds since 1 January 1970 of a civil moment (proleptic Gregorian calendar).
std::int64_t secondsOf(const DateTime& m) {
    const std::int64_t y = m.date.year - (m.date.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear =
        (153 * (m.date.month + (m.date.month > 2 ? -3 : 9)) + 2) / 5 + m.date.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const std::int64_t days = era * 146097 + dayOfEra - 719468;
    return days * 86400 + m.hour * 3600 + m.minute * 60 + m.second;
}

// The civil moment of a count of seconds since 1 January 1970.
DateTime momentOf(std::int64_t seconds) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {{year, month, day},
            static_cast<int>(rest / 3600),
            static_cast<int>(rest / 60 % 60),
            static_cast<int>(rest % 60)};
}

}  // namespace

bool isValid(const CivilDate& date) {
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1) return false;
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    if (date.month == 2 && !leap) return date.day <= 28;
    return date.day <= kDays[date.month - 1];
}

bool isValid(const DateTime& moment) {
    return isValid(moment.date) && moment.hour >= 0 && moment.hour < 24 && moment.minute >= 0 &&
           moment.minute < 60 && moment.second >= 0 && moment.second < 60;
}

DateTime PrinterClock::now() const {
    if (stoppedAt) return *stoppedAt;
    const time_t t = ::time(nullptr) + static_cast<time_t>(offsetSeconds);
    tm local{};
    ::localtime_r(&t, &local);
    return {{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
            local.tm_hour,
            local.tm_min,
            local.tm_sec};
}

void PrinterClock::set(const DateTime& moment) {
    if (stoppedAt) {
        stoppedAt = moment;
        return;
    }
    offsetSeconds += secondsOf(moment) - secondsOf(now());
}

void PrinterClock::shift(std::int64_t seconds) {
    if (stoppedAt) {
        stoppedAt = momentOf(secondsOf(*stoppedAt) + seconds);
        return;
    }
    offsetSeconds += seconds;
}

}  // namespace quelfi::sim
