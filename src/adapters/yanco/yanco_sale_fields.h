// Small pieces the Yanco sale's commands share.
#pragma once

#include <optional>
#include <string>

#include "protocol/road.h"

namespace quelfi::yanco {

// The last character of "18" and "1B": '0' a discount by value, '1' a percentage discount, '2' a
// surcharge by value, '3' a percentage surcharge. Nothing for a flag other than A or D (either
// case) or a type other than "$" or "%".
std::optional<char> adjustmentCode(const std::string& flag, const std::string& type);
// Whether the flag is A or D, in either case.
bool adjustmentFlag(const std::string& flag);

// The parameter line of an operation: each parameter followed by "|".
std::string joinedParameters(const protocol::Parameters& parameters);

// The digits of an amount in `width` digits: the leading ones dropped only when they are zeros.
std::optional<std::string> fitAmount(const std::string& digits, std::size_t width);

}  // namespace quelfi::yanco
