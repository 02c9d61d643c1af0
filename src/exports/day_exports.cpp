// The entry points of the day operations and the non-fiscal documents.
#include "adapters/yanco/yanco_status.h"
#include "exports/boundary.h"
#include "fiscal/day_operations.h"
#include "fiscal/nonfiscal_documents.h"
#include "mfd/journal_queries.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::protocol::Road;
namespace fiscal = quelfi::fiscal;
namespace mfd = quelfi::mfd;
namespace yanco = quelfi::yanco;

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FI_LeituraX(void) {
    return enter([](const Road& road) { return fiscal::readingX(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ReducaoZ(const char* data, const char* hora) {
    return enter([=](const Road& road) {
        return fiscal::reductionZ(road, data, hora, mfd::readLastReductionRecord);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ReducaoZImpAntiga(void) {
    return enter([](const Road& road) { return fiscal::reductionZOldFirmware(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_LeituraMemoriaFiscalData(const char* dataInicial,
                                                               const char* dataFinal) {
    return enter(
        [=](const Road& road) { return fiscal::fiscalMemoryByDate(road, dataInicial, dataFinal); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_LeituraMemoriaFiscalReducao(const char* reducaoInicial,
                                                                  const char* reducaoFinal) {
    return enter([=](const Road& road) {
        return fiscal::fiscalMemoryByReduction(road, reducaoInicial, reducaoFinal);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AberturaDoDia(const char* valor, const char* formaPagamento) {
    return enter([=](const Road& road) { return fiscal::openDay(road, valor, formaPagamento); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechamentoDoDia(void) {
    return enter(
        [](const Road& road) { return fiscal::closeDay(road, mfd::readLastReductionRecord); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechaRelatorioXouZ(void) {
    return enter(
        [](const Road& road) { return fiscal::closeXOrZReport(road, yanco::closeXOrZReport); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_SubTotal(char* subTotal) {
    return enter([=](const Road& road) { return fiscal::couponSubtotal(road, subTotal); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_RelatorioGerencial(const char* texto) {
    return enter([=](const Road& road) { return fiscal::printReportText(road, texto); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_RelatorioGerencialTEF(const char* texto) {
    return enter([=](const Road& road) { return fiscal::printReportTextForTef(road, texto); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechaRelatorioGerencial(void) {
    return enter([](const Road& road) { return fiscal::closeReport(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_RecebimentoNaoFiscal(const char* indiceTotalizador,
                                                           const char* valorRecebimento,
                                                           const char* formaPagamento) {
    return enter([=](const Road& road) {
        return fiscal::registerNonFiscalReceipt(road, indiceTotalizador, valorRecebimento,
                                                formaPagamento);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AbreComprovanteNaoFiscalVinculado(const char* formaPagamento,
                                                                        const char* valor,
                                                                        const char* numeroCupom) {
    return enter([=](const Road& road) {
        return fiscal::openBoundReceipt(road, formaPagamento, valor, numeroCupom);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_UsaComprovanteNaoFiscalVinculado(const char* texto) {
    return enter([=](const Road& road) { return fiscal::printBoundReceiptText(road, texto); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_UsaComprovanteNaoFiscalVinculadoTEF(const char* texto) {
    return enter(
        [=](const Road& road) { return fiscal::printBoundReceiptTextForTef(road, texto); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechaComprovanteNaoFiscalVinculado(void) {
    return enter([](const Road& road) { return fiscal::closeBoundReceipt(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_Sangria(const char* valor) {
    return enter([=](const Road& road) { return fiscal::withdrawCash(road, valor); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_Suprimento(const char* valor, const char* formaPagamento) {
    return enter([=](const Road& road) { return fiscal::supplyCash(road, valor, formaPagamento); });
}

}  // extern "C"
