#include "fiscal/iss_map.h"

#include <cstdio>
#include <cstdlib>

#include "fiscal/record_answers.h"

namespace quelfi::fiscal {

std::vector<int> issSlots(const std::string& reply) {
    const int bytes[2] = {std::atoi(slice(reply, 0, 3).c_str()),
                          std::atoi(slice(reply, 3, 3).c_str())};
    std::vector<int> slots;
    for (int b = 0; b < 2; ++b)
        for (int bit = 0; bit < 8; ++bit)
            if (bytes[b] & (128 >> bit)) slots.push_back(b * 8 + bit + 1);
    return slots;
}

std::string slotList(const std::vector<int>& slots) {
    std::string out;
    for (int slot : slots) {
        char number[8];
        std::snprintf(number, sizeof number, "%02d", slot);
        if (!out.empty()) out += ',';
        out += number;
    }
    return out;
}

std::string groupRates(const std::string& rates) {
    std::string out;
    for (std::size_t i = 0; i < rates.size(); ++i) {
        if (i > 0 && i % 4 == 0) out += ',';
        out += rates[i];
    }
    return out;
}

}  // namespace quelfi::fiscal
