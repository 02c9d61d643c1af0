// Configuration and port connection exports.
#include "core/config.h"
#include "core/port_connection.h"
#include "exports/boundary.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::exports::guarded;
using quelfi::protocol::Road;
namespace core = quelfi::core;

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FI_ReloadINIFile(void) {
    return guarded([] {
        core::loadConfiguration();
        return 1;
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_SelecionaIniLocal(void) {
    return guarded([] { return core::selectLocalIni(); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AbrePortaSerial(void) {
    return enter([](const Road& road) { return road.openPort(); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AbrePorta(int porta) {
    return enter([porta](const Road& road) {
        core::state().requestedPort = porta;
        return road.openPort();
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechaPortaSerial(void) {
    return guarded([] { return core::closePort(); });
}

}  // extern "C"
