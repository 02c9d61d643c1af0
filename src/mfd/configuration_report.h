// The configuration report: the printer's clock, identity, currency, rounding mode, fiscal flags,
// paper monitor and features, with the library's own version and log setting, printed on a
// management report.
#pragma once

#include "protocol/road.h"

namespace quelfi::mfd {

using protocol::Road;

// ImprimeConfiguracoesImpressora.
int printConfiguration(const Road& road);

}  // namespace quelfi::mfd
