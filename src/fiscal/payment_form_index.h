// The printer's index of a payment form, asked by description. The printer programs a form it
// does not know into a free slot and answers the new index.
#pragma once

#include <string>

#include "protocol/road.h"

namespace quelfi::fiscal {

// 1 with the two-character index, 0 on communication failure, -24 when the printer has no room.
int paymentFormIndex(const protocol::Road& road, const std::string& description,
                     std::string& index);

}  // namespace quelfi::fiscal
