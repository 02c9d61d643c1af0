// The Yanco printer's status ("25") and configuration ("2E") answers as the adapter reads them,
// and its two tables cached for the process from the configuration answer.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "protocol/road.h"

namespace quelfi::yanco {

// Sends "25" / "2E" without status parsing: 1 with the answer in the reply buffer, 0 when it did
// not come, or the port opening's code.
int askStatus(const protocol::Road& road);
int askConfiguration(const protocol::Road& road);

// The status answer's fields, from position 8, split at the backslashes.
std::vector<std::string> statusFields();
// The state number that starts at position 18.
int stateNumber();

// Fills yancoTaxRates / yancoPaymentForms from the configuration answer when they are not filled
// yet: 1, or what the question gave.
int loadTaxRates(const protocol::Road& road);
int loadPaymentForms(const protocol::Road& road);

// The 1-based slot of the first rate whose four digits read as `rate`, 0 when none; the
// configuration answer's rates from `rates` (13 entries of five characters).
int rateSlot(const std::array<std::string, 13>& rates, int rate);

}  // namespace quelfi::yanco
