// The surcharge or discount of one item, on the coupon (']') and on the non-fiscal receipt ('u'):
// once the item and the flag are checked in each export's own words, the type and the value are
// checked alike and the command is the flag, the item (3) and the value (4 for a percentage, 8
// for an amount).
#pragma once

#include <initializer_list>
#include <string>

#include "mfd/document_call.h"

namespace quelfi::mfd {

int sendItemAdjustment(const DocumentCall& call, char command, const std::string& item, char flag,
                       const char* type, const char* value,
                       std::initializer_list<const char*> parameters);

}  // namespace quelfi::mfd
