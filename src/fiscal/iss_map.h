// The service-tax (ISS) bit map: two bytes, one bit per tax-rate slot, value 128 of the first
// byte for slot 1 down to value 1 of the second byte for slot 16.
#pragma once

#include <string>
#include <vector>

namespace quelfi::fiscal {

// The set slots (1-16, in order) of the map as the reply shows it: two three-digit values.
std::vector<int> issSlots(const std::string& reply);

// The slot numbers as two digits each, separated by ",".
std::string slotList(const std::vector<int>& slots);

// The concatenated rates with a "," before each four-digit group after the first.
std::string groupRates(const std::string& rates);

}  // namespace quelfi::fiscal
