// The credit note of the Spanish sale cycle: a document of its own, ended by the coupon's closing
// message.
#pragma once

#include <array>

#include "protocol/road.h"

namespace quelfi::fiscal {

using protocol::Road;

inline constexpr std::size_t kCreditNoteFields = 10;

// Opens a credit note with its ten fields (a null text reads as empty).
int openCreditNote(const Road& road, const std::array<const char*, kCreditNoteFields>& fields);

}  // namespace quelfi::fiscal
