// Quelmar_FI_InfoBalanca: one reading of a scale on its own port, handed to the caller's buffers.
#pragma once

#include "protocol/road.h"

namespace quelfi::accessories {

// Model 1 or 2 asked once on `port` (the network-driver client leaves the request instead): 1, 0
// (no answer), -2 (no such model), or -33, -34, -35 when the scale shows a negative, unstable or
// overloaded plate (the fields are handed out all the same).
int readScale(const protocol::Road& road, const char* port, int model, char* weight,
              char* unitPrice, char* total);

}  // namespace quelfi::accessories
