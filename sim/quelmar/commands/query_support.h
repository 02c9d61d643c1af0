// Small pieces shared by the query handlers: selectors and the sums several answers report.
#pragma once

#include <cstdint>
#include <string>

#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim {

// The selector of an information-read query: '#' and its index byte.
inline std::string infoSelector(std::uint8_t index) {
    return std::string{'#', static_cast<char>(index)};
}

// The older answers report ICMS and ISS amounts together.
inline Money cancellations(const DayTotals& d) {
    return d.icmsCancellations + d.issCancellations;
}
inline Money discounts(const DayTotals& d) {
    return d.icmsDiscounts + d.issDiscounts;
}
inline Money surcharges(const DayTotals& d) {
    return d.icmsSurcharges + d.issSurcharges;
}
inline Money exempt(const DayTotals& d) {
    return d.icmsExempt + d.issExempt;
}
inline Money nonIncidence(const DayTotals& d) {
    return d.icmsNonIncidence + d.issNonIncidence;
}
inline Money substitution(const DayTotals& d) {
    return d.icmsSubstitution + d.issSubstitution;
}

}  // namespace quelfi::sim
