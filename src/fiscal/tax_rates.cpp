#include "fiscal/tax_rates.h"

#include <cstdlib>

#include "core/printer_state.h"
#include "fiscal/argument_format.h"
#include "fiscal/tax_rate_table.h"

namespace quelfi::fiscal {

using core::state;

namespace {

bool isLetterCode(const std::string& upper) {
    return upper == "FF" || upper == "II" || upper == "NN";
}

bool isServiceLetterCode(const std::string& upper) {
    return upper == "SF" || upper == "SI" || upper == "SN";
}

}  // namespace

int findTaxRateSlot(const std::string& rate) {
    const long wanted = std::atol(rate.c_str());
    const auto& table = state().taxRateTable;
    for (std::size_t i = 0; i < table.size(); ++i)
        if (!table[i].empty() && std::atol(table[i].c_str()) == wanted)
            return static_cast<int>(i) + 1;
    return 0;
}

RateOutcome resolveTaxRate(const protocol::Road& road, const std::string& argument,
                           bool completeValue, std::string& code) {
    if (argument.empty()) return RateOutcome::Invalid;
    const std::string upper = upperCase(argument);
    if (isLetterCode(upper)) {
        code = upper;
        return RateOutcome::Resolved;
    }
    if (isServiceLetterCode(upper)) {
        const int type = state().printerType;
        if (type != 1 && type != 2) return RateOutcome::InvalidSilent;
        code = upper;
        return RateOutcome::Resolved;
    }
    if (upper.size() <= 2) {
        code = zeroFill(upper, 2);  // a slot number given directly
        return RateOutcome::Resolved;
    }
    std::string value = keepDigits(upper);
    if (value.size() > 4) return RateOutcome::Invalid;
    if (completeValue) value = taxRateValue(value);
    return lookUpTaxRate(road, value, code);
}

RateOutcome lookUpTaxRate(const protocol::Road& road, const std::string& value, std::string& code) {
    if (!state().taxRateTableLoaded && readTaxRateTable(road) != 1)
        return RateOutcome::Communication;
    int slot = findTaxRateSlot(value);
    if (slot == 0) {
        // The rate may have been programmed since the table was read.
        if (readTaxRateTable(road) != 1) return RateOutcome::Communication;
        slot = findTaxRateSlot(value);
        if (slot == 0) return RateOutcome::NotProgrammed;
    }
    code = zeroFill(std::to_string(slot), 2);
    return RateOutcome::Resolved;
}

RateOutcome networkTaxRate(const std::string& argument, std::string& value) {
    if (argument.empty()) return RateOutcome::Invalid;
    const std::string upper = upperCase(argument);
    if (isLetterCode(upper) || isServiceLetterCode(upper)) {
        value = upper;
        return RateOutcome::Resolved;
    }
    value = keepDigits(argument);
    return value.size() > 4 ? RateOutcome::Invalid : RateOutcome::Resolved;
}

}  // namespace quelfi::fiscal
