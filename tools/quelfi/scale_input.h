// What a person types to the virtual scale: a weight in kilos, a price in reais, or the state of
// the plate. Used by the command line of "quelfi sim" and by the lines typed while it runs.
#pragma once

#include <optional>
#include <string>

#include "sim/scales/virtual_scale.h"

namespace quelfi::tool {

// "2,000", "2.5", "0,350": grams. Nothing for text that is not a plain decimal number with at
// most three decimals.
std::optional<long> gramsOf(const std::string& kilos);
// "12,90", "7": centavos; at most two decimals.
std::optional<long> centavosOf(const std::string& reais);

// A line typed while the scale runs: a new weight (the plate at rest), or a state letter
// (I unstable, N negative, S overloaded; any case).
struct ScaleInput {
    std::optional<long> grams;
    std::optional<sim::PlateState> state;
};
std::optional<ScaleInput> scaleInputOf(const std::string& line);

}  // namespace quelfi::tool
