#include "sim/quelmar/printer_clock.h"

#include <time.h>

namespace quelfi::sim {

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

}  // namespace quelfi::sim
