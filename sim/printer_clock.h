// The printer's calendar clock. Tests stop it at a fixed moment so answers are repeatable; the
// command-line printer lets it run with the host's local time, moved by an offset.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>

namespace quelfi::sim {

struct CivilDate {
    int year = 2000;
    int month = 1;
    int day = 1;
    auto operator<=>(const CivilDate&) const = default;
};

struct DateTime {
    CivilDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
    auto operator<=>(const DateTime&) const = default;
};

bool isValid(const CivilDate& date);
bool isValid(const DateTime& moment);

struct PrinterClock {
    std::optional<DateTime> stoppedAt;  // set: the clock stands still at this moment
    std::int64_t offsetSeconds = 0;     // running clock: host time plus this

    DateTime now() const;
    // Sets the clock to `moment`: a stopped clock stands there, a running one goes on from it.
    void set(const DateTime& moment);
    // Moves the clock by `seconds` (daylight saving moves it an hour).
    void shift(std::int64_t seconds);
    bool operator==(const PrinterClock&) const = default;
};

}  // namespace quelfi::sim
