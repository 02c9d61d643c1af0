// The fixed-width fields of a Yanco command: digits, blanks and texts at their positions.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "sim/printer_clock.h"
#include "sim/yanco/coupon.h"

namespace quelfi::sim::yanco::field {

// The field's digits as a number; null when any character is not a digit.
std::optional<std::int64_t> number(std::string_view command, std::size_t at, std::size_t width);

// An amount sent with three decimals, in centavos (the thousandth is dropped).
std::optional<Money> amount(std::string_view command, std::size_t at, std::size_t width);

bool blank(std::string_view command, std::size_t at, std::size_t width);

std::string_view text(std::string_view command, std::size_t at, std::size_t width);

// DDMMYY (years 00-52 are 2000-2052, 53-99 are 1953-1999) or DDMMYYYY; null when not a date.
std::optional<CivilDate> date(std::string_view command, std::size_t at, std::size_t width);

// A discount or surcharge: a value (three decimals) and a percentage (two decimals) of which the
// kind character says which one counts; the other must be zero. Null when the fields do not
// agree with the kind, or the amount is nothing.
struct AdjustmentRequest {
    bool surcharge = false;
    std::optional<Money> value;  // centavos
    std::optional<int> percent;  // hundredths of a percent
};
std::optional<AdjustmentRequest> adjustment(std::string_view command, std::size_t valueAt,
                                            std::size_t valueWidth, std::size_t percentAt,
                                            char kind);

}  // namespace quelfi::sim::yanco::field
