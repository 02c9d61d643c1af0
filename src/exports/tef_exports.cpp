// The entry points of the card and cheque payments (TEF) and of the TEF input mode. The exchange
// with the manager needs no road; the steps on the printer travel the call's road.
#include "exports/boundary.h"
#include "quelfi32.h"
#include "tef/transactions.h"

using quelfi::exports::enter;
using quelfi::exports::guarded;
using quelfi::protocol::Road;
namespace tef = quelfi::tef;

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FITEF_VendaCartao(const char* identificacao,
                                                     const char* valorCompra) {
    return enter([=](const Road& road) { return tef::cardSale(road, identificacao, valorCompra); });
}

QUELFI_API int QUELFI_CALL Quelmar_FITEF_VendaCheque(const char* identificacao,
                                                     const char* valorCompra) {
    return enter(
        [=](const Road& road) { return tef::chequeSale(road, identificacao, valorCompra); });
}

QUELFI_API int QUELFI_CALL Quelmar_FITEF_ConfirmaVenda(const char* identificacao,
                                                       const char* valorCompra,
                                                       const char* operacao) {
    return guarded([=] { return tef::confirmSale(identificacao, valorCompra, operacao); });
}

QUELFI_API int QUELFI_CALL Quelmar_FITEF_NaoConfirmaVendaImpressao(const char* identificacao,
                                                                   const char* valorCompra) {
    return enter(
        [=](const Road& road) { return tef::undoUnprintedSale(road, identificacao, valorCompra); });
}

QUELFI_API int QUELFI_CALL Quelmar_FITEF_CancelaVendaCartao(
    const char* identificacao, const char* valorCompra, const char* numeroTransacao,
    const char* numeroDocumento, const char* data, const char* hora, const char* rede) {
    return enter([=](const Road& road) {
        return tef::cancelCardSale(road, identificacao, valorCompra, numeroTransacao,
                                   numeroDocumento, data, hora, rede);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FITEF_ADM(const char* identificacao) {
    return guarded([=] { return tef::administrativeMenu(identificacao); });
}

QUELFI_API int QUELFI_CALL Quelmar_FITEF_ImprimeTEF(const char* identificacao,
                                                    const char* formaPagamento,
                                                    const char* valorCompra) {
    return enter([=](const Road& road) {
        return tef::printVoucher(road, identificacao, formaPagamento, valorCompra);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FITEF_ImprimeRelatorio(void) {
    return enter([](const Road& road) { return tef::printReport(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FITEF_VendaCompleta(const char* identificacao,
                                                       const char* valorCompra,
                                                       const char* formaPagamento,
                                                       const char* mensagem) {
    return enter([=](const Road& road) {
        return tef::completeCardSale(road, identificacao, valorCompra, formaPagamento, mensagem);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FITEF_Status(const char* identificacao) {
    return guarded([=] { return tef::managerStatus(identificacao); });
}

QUELFI_API void QUELFI_CALL Quelmar_FITEF_ApagaResiduos(void) {
    guarded([] {
        tef::deleteResiduesNow();
        return 1;
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FITEF_ConfiguraDiretorioTef(const char* diretorioRequisicao,
                                                               const char* diretorioResposta) {
    return enter([=](const Road& road) {
        return tef::configureDirectories(road, diretorioRequisicao, diretorioResposta);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_IniciaModoTEF(void) {
    return enter([](const Road& road) { return tef::startInputMode(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FinalizaModoTEF(void) {
    return enter([](const Road& road) { return tef::endInputMode(road); });
}

}  // extern "C"
