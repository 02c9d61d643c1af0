// Configuration and port connection exports.
#include "core/config.h"
#include "core/port_connection.h"
#include "exports/boundary.h"
#include "quelfi32.h"

using quelfi::exports::guarded;
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
    return guarded([] { return core::openPort(); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AbrePorta(int porta) {
    return guarded([porta] {
        core::state().requestedPort = porta;
        return core::openPort();
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechaPortaSerial(void) {
    return guarded([] { return core::closePort(); });
}

}  // extern "C"
