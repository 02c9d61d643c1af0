// The Yanco adapter's own exports.
#include "adapters/yanco/yanco_status.h"
#include "exports/boundary.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::protocol::Road;
namespace yanco = quelfi::yanco;

extern "C" {

QUELFI_API int QUELFI_CALL Yanco_FI_VerificaEstadoImpressora(short* ack, short* st1, short* st2) {
    return enter([=](const Road& road) { return yanco::verifyPrinterState(road, ack, st1, st2); });
}

QUELFI_API int QUELFI_CALL Yanco_FI_RetornoImpressora(short* ack, short* st1, short* st2) {
    return enter([=](const Road& road) { return yanco::printerReturn(road, ack, st1, st2); });
}

QUELFI_API int QUELFI_CALL Yanco_FI_FechaRelatorioXouZ(void) {
    return enter([](const Road& road) { return yanco::closeXOrZReport(road); });
}

}  // extern "C"
