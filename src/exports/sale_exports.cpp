// The sale cycle's entry points.
#include "adapters/yanco/yanco_sale.h"
#include "exports/boundary.h"
#include "fiscal/coupon_closing.h"
#include "fiscal/coupon_opening.h"
#include "fiscal/item_sale.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::protocol::Road;
namespace fiscal = quelfi::fiscal;
namespace yanco = quelfi::yanco;

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FI_AbreCupom(const char* cpf) {
    return enter([=](const Road& road) { return fiscal::openCoupon(road, cpf); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VendeItem(const char* codigo, const char* descricao,
                                                const char* aliquota, const char* tipoQuantidade,
                                                const char* quantidade, int casasDecimais,
                                                const char* valorUnitario, const char* tipoDesconto,
                                                const char* desconto) {
    return enter(
        [=](const Road& road) {
            return fiscal::sellItem(road, codigo, descricao, aliquota, tipoQuantidade, quantidade,
                                    casasDecimais, valorUnitario, tipoDesconto, desconto);
        },
        [=](const Road& road) {
            return yanco::sellItem(road, codigo, descricao, aliquota, tipoQuantidade, quantidade,
                                   casasDecimais, valorUnitario, tipoDesconto, desconto);
        });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VendeItemDepartamento(
    const char* codigo, const char* descricao, const char* aliquota, const char* valorUnitario,
    const char* quantidade, const char* acrescimo, const char* desconto,
    const char* indiceDepartamento, const char* unidadeMedida) {
    return enter([=](const Road& road) {
        return fiscal::sellDepartmentItem(road, codigo, descricao, aliquota, valorUnitario,
                                          quantidade, acrescimo, desconto, indiceDepartamento,
                                          unidadeMedida);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_CancelaItemAnterior(void) {
    return enter([](const Road& road) { return fiscal::cancelLastItem(road); },
                 [](const Road& road) { return yanco::cancelLastItem(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_CancelaItemGenerico(const char* numeroItem) {
    return enter([=](const Road& road) { return fiscal::cancelItem(road, numeroItem); },
                 [=](const Road& road) { return yanco::cancelItem(road, numeroItem); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_CancelaCupom(void) {
    return enter([](const Road& road) { return fiscal::cancelCoupon(road); },
                 [](const Road& road) { return yanco::cancelCoupon(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AumentaDescricaoItem(const char* descricao) {
    return enter([=](const Road& road) { return fiscal::extendItemDescription(road, descricao); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_UsaUnidadeMedida(const char* unidadeMedida) {
    return enter([=](const Road& road) { return fiscal::useUnitOfMeasure(road, unidadeMedida); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_IniciaFechamentoCupom(const char* acrescimoDesconto,
                                                            const char* tipoAcrescimoDesconto,
                                                            const char* valorAcrescimoDesconto) {
    return enter(
        [=](const Road& road) {
            return fiscal::startClosing(road, acrescimoDesconto, tipoAcrescimoDesconto,
                                        valorAcrescimoDesconto);
        },
        [=](const Road& road) {
            return yanco::startClosingFromQuelmar(road, acrescimoDesconto, tipoAcrescimoDesconto,
                                                  valorAcrescimoDesconto);
        });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_EfetuaFormaPagamento(const char* formaPagamento,
                                                           const char* valorFormaPagamento) {
    return enter(
        [=](const Road& road) { return fiscal::pay(road, formaPagamento, valorFormaPagamento); },
        [=](const Road& road) {
            return yanco::payFromQuelmar(road, formaPagamento, valorFormaPagamento);
        });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_EfetuaFormaPagamentoIndice(const char* indiceFormaPagamento,
                                                                 const char* valorFormaPagamento) {
    return enter([=](const Road& road) {
        return fiscal::payByIndex(road, indiceFormaPagamento, valorFormaPagamento);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_EfetuaFormaPagamentoDescricaoForma(
    const char* formaPagamento, const char* valorFormaPagamento,
    const char* descricaoFormaPagamento) {
    return enter([=](const Road& road) {
        return fiscal::payWithText(road, formaPagamento, valorFormaPagamento,
                                   descricaoFormaPagamento);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_EfetuaFormaPagamentoImpAntiga(
    const char* formaPagamento, const char* valorFormaPagamento) {
    return enter([=](const Road& road) {
        return fiscal::payOldFirmware(road, formaPagamento, valorFormaPagamento);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_TerminaFechamentoCupom(const char* mensagem) {
    return enter([=](const Road& road) { return fiscal::finishClosing(road, mensagem); },
                 [=](const Road& road) { return yanco::finishClosingFromQuelmar(road, mensagem); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_EstornoFormasPagamento(const char* formaOrigem,
                                                             const char* formaDestino,
                                                             const char* valor) {
    return enter([=](const Road& road) {
        return fiscal::reversePayment(road, formaOrigem, formaDestino, valor);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechaCupom(const char* formaPagamento,
                                                 const char* acrescimoDesconto,
                                                 const char* tipoAcrescimoDesconto,
                                                 const char* valorAcrescimoDesconto,
                                                 const char* valorPago, const char* mensagem) {
    return enter(
        [=](const Road& road) {
            return fiscal::closeCoupon(road, formaPagamento, acrescimoDesconto,
                                       tipoAcrescimoDesconto, valorAcrescimoDesconto, valorPago,
                                       mensagem);
        },
        [=](const Road& road) {
            return yanco::closeCouponFromQuelmar(road, formaPagamento, acrescimoDesconto,
                                                 tipoAcrescimoDesconto, valorAcrescimoDesconto,
                                                 valorPago, mensagem);
        });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechaCupomResumido(const char* formaPagamento,
                                                         const char* mensagem) {
    return enter(
        [=](const Road& road) {
            return fiscal::closeCouponInOnePayment(road, formaPagamento, mensagem);
        },
        [=](const Road& road) {
            return yanco::closeCouponInOnePaymentFromQuelmar(road, formaPagamento, mensagem);
        });
}

}  // extern "C"
