#include "adapters/yanco/yanco_answers.h"

#include <cstdlib>

#include "adapters/yanco/yanco_layout.h"
#include "adapters/yanco/yanco_transport.h"
#include "core/printer_state.h"

namespace quelfi::yanco {

using core::state;

namespace {

constexpr std::size_t kStatusDataAt = 8;

}  // namespace

int askStatus(const protocol::Road& road) {
    return sendYancoCommand(road, {"25", /*parseStatus=*/false, 0});
}

int askConfiguration(const protocol::Road& road) {
    return sendYancoCommand(road, {"2E", /*parseStatus=*/false, 0});
}

std::vector<std::string> statusFields() {
    std::string data = replyAt(kStatusDataAt, std::string::npos);
    if (!data.empty() && data.back() == '\x03') data.pop_back();
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (;;) {
        const std::size_t end = data.find(layout::kFieldSeparator, from);
        fields.push_back(
            data.substr(from, end == std::string::npos ? std::string::npos : end - from));
        if (end == std::string::npos) return fields;
        from = end + 1;
    }
}

int stateNumber() {
    return std::atoi(replyAt(layout::kStateAt, 4).c_str());
}

int loadTaxRates(const protocol::Road& road) {
    core::PrinterState& s = state();
    if (s.yancoTaxRatesLoaded) return 1;
    if (const int asked = askConfiguration(road); asked != 1) return asked;
    for (std::size_t k = 0; k < s.yancoTaxRates.size(); ++k)
        s.yancoTaxRates[k] = replyAt(layout::kRatesAt + k * layout::kRateWidth, layout::kRateWidth);
    s.yancoTaxRatesLoaded = true;
    return 1;
}

int loadPaymentForms(const protocol::Road& road) {
    core::PrinterState& s = state();
    if (s.yancoPaymentFormsLoaded) return 1;
    if (const int asked = askConfiguration(road); asked != 1) return asked;
    for (std::size_t k = 0; k < s.yancoPaymentForms.size(); ++k)
        s.yancoPaymentForms[k] = replyAt(layout::kPaymentFormsAt + k * layout::kPaymentFormWidth,
                                         layout::kPaymentFormWidth);
    s.yancoPaymentFormsLoaded = true;
    return 1;
}

int rateSlot(const std::array<std::string, 13>& rates, int rate) {
    for (std::size_t k = 0; k < rates.size(); ++k) {
        const std::string digits = rates[k].substr(0, 4);
        if (digits.size() == 4 && digits.find_first_not_of("0123456789") == std::string::npos &&
            std::atoi(digits.c_str()) == rate)
            return static_cast<int>(k) + 1;
    }
    return 0;
}

}  // namespace quelfi::yanco
