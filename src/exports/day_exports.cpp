// The entry points of the day operations and the non-fiscal documents.
#include "exports/boundary.h"
#include "fiscal/day_operations.h"
#include "fiscal/nonfiscal_documents.h"
#include "quelfi32.h"

using quelfi::exports::guarded;
namespace fiscal = quelfi::fiscal;

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FI_LeituraX(void) {
    return guarded([] { return fiscal::readingX(); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ReducaoZ(const char* data, const char* hora) {
    return guarded([=] { return fiscal::reductionZ(data, hora); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ReducaoZImpAntiga(void) {
    return guarded([] { return fiscal::reductionZOldFirmware(); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_LeituraMemoriaFiscalData(const char* dataInicial,
                                                               const char* dataFinal) {
    return guarded([=] { return fiscal::fiscalMemoryByDate(dataInicial, dataFinal); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_LeituraMemoriaFiscalReducao(const char* reducaoInicial,
                                                                  const char* reducaoFinal) {
    return guarded([=] { return fiscal::fiscalMemoryByReduction(reducaoInicial, reducaoFinal); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AberturaDoDia(const char* valor, const char* formaPagamento) {
    return guarded([=] { return fiscal::openDay(valor, formaPagamento); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechamentoDoDia(void) {
    return guarded([] { return fiscal::closeDay(); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechaRelatorioXouZ(void) {
    return guarded([] { return fiscal::closeXOrZReport(); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_SubTotal(char* subTotal) {
    return guarded([=] { return fiscal::couponSubtotal(subTotal); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_RelatorioGerencial(const char* texto) {
    return guarded([=] { return fiscal::printReportText(texto); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_RelatorioGerencialTEF(const char* texto) {
    return guarded([=] { return fiscal::printReportTextForTef(texto); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechaRelatorioGerencial(void) {
    return guarded([] { return fiscal::closeReport(); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_RecebimentoNaoFiscal(const char* indiceTotalizador,
                                                           const char* valorRecebimento,
                                                           const char* formaPagamento) {
    return guarded([=] {
        return fiscal::registerNonFiscalReceipt(indiceTotalizador, valorRecebimento,
                                                formaPagamento);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AbreComprovanteNaoFiscalVinculado(const char* formaPagamento,
                                                                        const char* valor,
                                                                        const char* numeroCupom) {
    return guarded([=] { return fiscal::openBoundReceipt(formaPagamento, valor, numeroCupom); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_UsaComprovanteNaoFiscalVinculado(const char* texto) {
    return guarded([=] { return fiscal::printBoundReceiptText(texto); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_UsaComprovanteNaoFiscalVinculadoTEF(const char* texto) {
    return guarded([=] { return fiscal::printBoundReceiptTextForTef(texto); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechaComprovanteNaoFiscalVinculado(void) {
    return guarded([] { return fiscal::closeBoundReceipt(); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_Sangria(const char* valor) {
    return guarded([=] { return fiscal::withdrawCash(valor); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_Suprimento(const char* valor, const char* formaPagamento) {
    return guarded([=] { return fiscal::supplyCash(valor, formaPagamento); });
}

}  // extern "C"
