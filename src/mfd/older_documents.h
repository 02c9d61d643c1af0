// The older export the journal printer's authentication falls back to on printers of type 0,
// Quelmar_FI_Autenticacao. It belongs with the cheques and authentication; until that group is
// part of the library, this seam sends its command as that export does.
#pragma once

#include "protocol/road.h"

namespace quelfi::mfd {

int olderAuthentication(const protocol::Road& road);

}  // namespace quelfi::mfd
