// The Yanco adapter's own exports.
#include "adapters/yanco/yanco_sale.h"
#include "adapters/yanco/yanco_status.h"
#include "exports/boundary.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::protocol::Road;
namespace yanco = quelfi::yanco;

extern "C" {

QUELFI_API int QUELFI_CALL Yanco_FI_VendeItem(const char* codigo, const char* descricao,
                                              const char* aliquota, const char* tipoQuantidade,
                                              const char* quantidade, int casasDecimais,
                                              const char* valorUnitario, const char* tipoDesconto,
                                              const char* desconto) {
    return enter([=](const Road& road) {
        return yanco::sellItem(road, codigo, descricao, aliquota, tipoQuantidade, quantidade,
                               casasDecimais, valorUnitario, tipoDesconto, desconto);
    });
}

QUELFI_API int QUELFI_CALL Yanco_FI_CancelaCupom(void) {
    return enter([](const Road& road) { return yanco::cancelCoupon(road); });
}

QUELFI_API int QUELFI_CALL Yanco_FI_CancelaItemAnterior(void) {
    return enter([](const Road& road) { return yanco::cancelLastItem(road); });
}

QUELFI_API int QUELFI_CALL Yanco_FI_CancelaItemGenerico(const char* numeroItem) {
    return enter([=](const Road& road) { return yanco::cancelItem(road, numeroItem); });
}

QUELFI_API int QUELFI_CALL Yanco_FI_IniciaFechamentoCupom(const char* acrescimoDesconto,
                                                          const char* tipoAcrescimoDesconto,
                                                          const char* valorAcrescimoDesconto) {
    return enter([=](const Road& road) {
        return yanco::startClosing(road, acrescimoDesconto, tipoAcrescimoDesconto,
                                   valorAcrescimoDesconto);
    });
}

QUELFI_API int QUELFI_CALL Yanco_FI_EfetuaFormaPagamento(const char* formaPagamento,
                                                         const char* valorFormaPagamento) {
    return enter(
        [=](const Road& road) { return yanco::pay(road, formaPagamento, valorFormaPagamento); });
}

QUELFI_API int QUELFI_CALL Yanco_FI_TerminaFechamentoCupom(const char* mensagem) {
    return enter([=](const Road& road) { return yanco::finishClosing(road, mensagem); });
}

QUELFI_API int QUELFI_CALL Yanco_FI_FechaCupomResumido(const char* formaPagamento,
                                                       const char* mensagem) {
    return enter([=](const Road& road) {
        return yanco::closeCouponInOnePayment(road, formaPagamento, mensagem);
    });
}

QUELFI_API int QUELFI_CALL Yanco_FI_FechaCupom(const char* formaPagamento,
                                               const char* acrescimoDesconto,
                                               const char* tipoAcrescimoDesconto,
                                               const char* valorAcrescimoDesconto,
                                               const char* valorPago, const char* mensagem) {
    return enter([=](const Road& road) {
        return yanco::closeCoupon(road, formaPagamento, acrescimoDesconto, tipoAcrescimoDesconto,
                                  valorAcrescimoDesconto, valorPago, mensagem);
    });
}

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
