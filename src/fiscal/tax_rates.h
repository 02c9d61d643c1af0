// The printer's table of programmed tax rates, and how an item's rate argument becomes the
// two-character rate code of the sale command.
#pragma once

#include <string>

#include "protocol/road.h"

namespace quelfi::fiscal {

// The first slot (1-16) whose value equals `rate` as integers, 0 when none.
int findTaxRateSlot(const std::string& rate);

enum class RateOutcome {
    Resolved,       // `code` holds the two characters for the command
    Invalid,        // -2, logged with the export's message
    InvalidSilent,  // -2 without a log line (service-tax codes on older printers)
    NotProgrammed,  // -3
    Communication,  // 0: the table could not be read
};

// Resolves a rate argument against the printer's table. `completeValue` applies the
// length-driven right fill to rate values (the department sale looks the digits up as given).
RateOutcome resolveTaxRate(const protocol::Road& road, const std::string& argument,
                           bool completeValue, std::string& code);

// Looks a rate value (hundredths of a percent) up in the printer's table, read first when it is
// not yet and read once more before the value is taken for not programmed; `code` is the slot
// written in two digits.
RateOutcome lookUpTaxRate(const protocol::Road& road, const std::string& value, std::string& code);

// The rate as it goes into a request record of the network-driver mode: the letter codes as they
// stand, anything else as its digits. Invalid when empty or longer than four digits.
RateOutcome networkTaxRate(const std::string& argument, std::string& value);

}  // namespace quelfi::fiscal
