// Status and presence exports of the printer protocol.
#include "adapters/yanco/yanco_status.h"
#include "exports/boundary.h"
#include "protocol/presence.h"
#include "protocol/status.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::protocol::Road;
namespace protocol = quelfi::protocol;
namespace yanco = quelfi::yanco;

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FI_VerificaEstadoImpressora(short* ack, short* st1, short* st2) {
    return enter(
        [=](const Road& road) { return protocol::verifyPrinterState(road, ack, st1, st2); },
        [=](const Road& road) { return yanco::verifyPrinterState(road, ack, st1, st2); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_RetornoImpressora(short* ack, short* st1, short* st2) {
    return enter([=](const Road& road) { return protocol::printerReturn(road, ack, st1, st2); },
                 [=](const Road& road) { return yanco::printerReturn(road, ack, st1, st2); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ItsBusy(void) {
    return enter([](const Road& road) { return protocol::itsBusy(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VerificaImpressoraLigada(void) {
    return enter([](const Road& road) { return protocol::verifyPrinterOn(road); });
}

}  // extern "C"
