// The sale cycle's entry points.
#include "exports/boundary.h"
#include "fiscal/coupon_closing.h"
#include "fiscal/coupon_opening.h"
#include "fiscal/item_sale.h"
#include "quelfi32.h"

using quelfi::exports::guarded;
namespace fiscal = quelfi::fiscal;

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FI_AbreCupom(const char* cpf) {
    return guarded([=] { return fiscal::openCoupon(cpf); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VendeItem(const char* codigo, const char* descricao,
                                                const char* aliquota, const char* tipoQuantidade,
                                                const char* quantidade, int casasDecimais,
                                                const char* valorUnitario, const char* tipoDesconto,
                                                const char* desconto) {
    return guarded([=] {
        return fiscal::sellItem(codigo, descricao, aliquota, tipoQuantidade, quantidade,
                                casasDecimais, valorUnitario, tipoDesconto, desconto);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VendeItemDepartamento(
    const char* codigo, const char* descricao, const char* aliquota, const char* valorUnitario,
    const char* quantidade, const char* acrescimo, const char* desconto,
    const char* indiceDepartamento, const char* unidadeMedida) {
    return guarded([=] {
        return fiscal::sellDepartmentItem(codigo, descricao, aliquota, valorUnitario, quantidade,
                                          acrescimo, desconto, indiceDepartamento, unidadeMedida);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_CancelaItemAnterior(void) {
    return guarded([] { return fiscal::cancelLastItem(); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_CancelaItemGenerico(const char* numeroItem) {
    return guarded([=] { return fiscal::cancelItem(numeroItem); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_CancelaCupom(void) {
    return guarded([] { return fiscal::cancelCoupon(); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AumentaDescricaoItem(const char* descricao) {
    return guarded([=] { return fiscal::extendItemDescription(descricao); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_UsaUnidadeMedida(const char* unidadeMedida) {
    return guarded([=] { return fiscal::useUnitOfMeasure(unidadeMedida); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_IniciaFechamentoCupom(const char* acrescimoDesconto,
                                                            const char* tipoAcrescimoDesconto,
                                                            const char* valorAcrescimoDesconto) {
    return guarded([=] {
        return fiscal::startClosing(acrescimoDesconto, tipoAcrescimoDesconto,
                                    valorAcrescimoDesconto);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_EfetuaFormaPagamento(const char* formaPagamento,
                                                           const char* valorFormaPagamento) {
    return guarded([=] { return fiscal::pay(formaPagamento, valorFormaPagamento); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_EfetuaFormaPagamentoIndice(const char* indiceFormaPagamento,
                                                                 const char* valorFormaPagamento) {
    return guarded([=] { return fiscal::payByIndex(indiceFormaPagamento, valorFormaPagamento); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_EfetuaFormaPagamentoDescricaoForma(
    const char* formaPagamento, const char* valorFormaPagamento,
    const char* descricaoFormaPagamento) {
    return guarded([=] {
        return fiscal::payWithText(formaPagamento, valorFormaPagamento, descricaoFormaPagamento);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_EfetuaFormaPagamentoImpAntiga(
    const char* formaPagamento, const char* valorFormaPagamento) {
    return guarded([=] { return fiscal::payOldFirmware(formaPagamento, valorFormaPagamento); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_TerminaFechamentoCupom(const char* mensagem) {
    return guarded([=] { return fiscal::finishClosing(mensagem); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_EstornoFormasPagamento(const char* formaOrigem,
                                                             const char* formaDestino,
                                                             const char* valor) {
    return guarded([=] { return fiscal::reversePayment(formaOrigem, formaDestino, valor); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechaCupom(const char* formaPagamento,
                                                 const char* acrescimoDesconto,
                                                 const char* tipoAcrescimoDesconto,
                                                 const char* valorAcrescimoDesconto,
                                                 const char* valorPago, const char* mensagem) {
    return guarded([=] {
        return fiscal::closeCoupon(formaPagamento, acrescimoDesconto, tipoAcrescimoDesconto,
                                   valorAcrescimoDesconto, valorPago, mensagem);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechaCupomResumido(const char* formaPagamento,
                                                         const char* mensagem) {
    return guarded([=] { return fiscal::closeCouponInOnePayment(formaPagamento, mensagem); });
}

}  // extern "C"
