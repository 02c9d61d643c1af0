// The journal printer's barcode exports: one per symbology, the look of the bars, and the end of a
// coupon's closing with a barcode.
#include "exports/boundary.h"
#include "mfd/barcodes.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::protocol::Road;
namespace mfd = quelfi::mfd;

#define QF_BARCODE(exported)                                                     \
    QUELFI_API int QUELFI_CALL exported(const char* codigo) {                    \
        return enter([=](const Road& road) {                                     \
            return mfd::printBarcode(road, mfd::symbologyOf(#exported), codigo); \
        });                                                                      \
    }

extern "C" {

QF_BARCODE(Quelmar_FI_CodigoBarrasCODABARMFD)
QF_BARCODE(Quelmar_FI_CodigoBarrasCODE128MFD)
QF_BARCODE(Quelmar_FI_CodigoBarrasCODE39MFD)
QF_BARCODE(Quelmar_FI_CodigoBarrasCODE93MFD)
QF_BARCODE(Quelmar_FI_CodigoBarrasUPCAMFD)
QF_BARCODE(Quelmar_FI_CodigoBarrasUPCEMFD)
QF_BARCODE(Quelmar_FI_CodigoBarrasEAN13MFD)
QF_BARCODE(Quelmar_FI_CodigoBarrasEAN8MFD)
QF_BARCODE(Quelmar_FI_CodigoBarrasMSIMFD)
QF_BARCODE(Quelmar_FI_CodigoBarrasPLESSEYMFD)
QF_BARCODE(Quelmar_FI_CodigoBarrasISBNMFD)
QF_BARCODE(Quelmar_FI_CodigoBarrasITFMFD)

QUELFI_API int QUELFI_CALL Quelmar_FI_CodigoBarrasPDF417MFD(int correcaoErros, int altura,
                                                            int largura, int colunas,
                                                            const char* codigo) {
    return enter([=](const Road& road) {
        return mfd::printPdf417(road, correcaoErros, altura, largura, colunas, codigo);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ConfiguraCodigoBarrasMFD(int altura, int largura, int posicao,
                                                               int fonte, int margem) {
    return enter([=](const Road& road) {
        return mfd::configureBarcodes(road, altura, largura, posicao, fonte, margem);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_TerminaFechamentoCupomCodigoBarrasMFD(
    const char* mensagem, const char* tipoCodigo, const char* codigo, int altura, int largura,
    int posicao, int fonte, int margem, int correcaoErros, int colunas) {
    return enter([=](const Road& road) {
        return mfd::finishClosingWithBarcode(
            road, {mensagem, tipoCodigo, codigo, altura, largura, posicao, fonte, margem,
                   correcaoErros, colunas});
    });
}

}  // extern "C"
