// Status and presence exports of the printer protocol.
#include "exports/boundary.h"
#include "protocol/presence.h"
#include "protocol/status.h"
#include "quelfi32.h"

using quelfi::exports::guarded;
namespace protocol = quelfi::protocol;

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FI_VerificaEstadoImpressora(short* ack, short* st1, short* st2) {
    return guarded([=] { return protocol::verifyPrinterState(ack, st1, st2); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_RetornoImpressora(short* ack, short* st1, short* st2) {
    return guarded([=] { return protocol::printerReturn(ack, st1, st2); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ItsBusy(void) {
    return guarded([] { return protocol::itsBusy(); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VerificaImpressoraLigada(void) {
    return guarded([] { return protocol::verifyPrinterOn(); });
}

}  // extern "C"
