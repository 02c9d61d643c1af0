// The reports composed on the PC go to paper as management-report text, which the printer takes
// at most 610 characters a call: a longer text goes in two calls, then the report is closed.
#pragma once

#include <optional>
#include <string>

#include "protocol/road.h"

namespace quelfi::mfd {

// Prints `text` and closes the report, each step a nested call. Nothing when all went through
// (lastReturnCode then holds the closing's result); otherwise the first result other than 1 or
// -27.
std::optional<int> printOnManagementReport(const protocol::Road& road, const std::string& text);

}  // namespace quelfi::mfd
