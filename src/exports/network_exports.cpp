// Network-driver mode exports: the client's reading of the driver's data answer, and the raw
// request that the driver program runs on the printer's workstation.
#include "core/export_call.h"
#include "exports/boundary.h"
#include "protocol/network_client.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::exports::guarded;
using quelfi::protocol::Road;
namespace protocol = quelfi::protocol;

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FI_LeArquivoRetorno(char* buffer) {
    return guarded([=] { return protocol::readDriverAnswer(buffer); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ComandoDriverRede(const char* request) {
    return enter(
        [=](const Road& road) { return road.runRawRequest(quelfi::core::argText(request)); });
}

}  // extern "C"
