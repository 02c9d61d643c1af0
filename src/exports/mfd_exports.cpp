// The electronic-journal documents' entry points: the exports that share a shape run from the
// document table, the others from their own functions.
#include "exports/boundary.h"
#include "mfd/document_table.h"
#include "mfd/documents.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::exports::guarded;
using quelfi::protocol::Road;
namespace mfd = quelfi::mfd;
using mfd::Document;

#define QF_DOCUMENT(exported, id)                                                            \
    QUELFI_API int QUELFI_CALL exported(void) {                                              \
        return enter([](const Road& road) { return mfd::runDocument(road, Document::id); }); \
    }

#define QF_CUSTOMER_DOCUMENT(exported, id)                                                         \
    QUELFI_API int QUELFI_CALL exported(const char* cpf, const char* nome, const char* endereco) { \
        return enter([=](const Road& road) {                                                       \
            return mfd::runDocument(road, Document::id, {cpf, nome, endereco, nullptr});           \
        });                                                                                        \
    }

extern "C" {

QF_DOCUMENT(Quelmar_FI_CupomAdicionalMFD, CupomAdicional)
QF_DOCUMENT(Quelmar_FI_ReimpressaoNaoFiscalVinculadoMFD, ReimpressaoNaoFiscalVinculado)
QF_DOCUMENT(Quelmar_FI_SegundaViaNaoFiscalVinculadoMFD, SegundaViaNaoFiscalVinculado)
QF_DOCUMENT(Quelmar_FI_ImprimeClicheMFD, ImprimeCliche)
QF_DOCUMENT(Quelmar_FI_SubTotalizaCupomMFD, SubTotalizaCupom)
QF_DOCUMENT(Quelmar_FI_TotalizaCupomMFD, TotalizaCupom)
QF_DOCUMENT(Quelmar_FI_SubTotalizaRecebimentoMFD, SubTotalizaRecebimento)
QF_DOCUMENT(Quelmar_FI_TotalizaRecebimentoMFD, TotalizaRecebimento)
QF_CUSTOMER_DOCUMENT(Quelmar_FI_AbreRecebimentoNaoFiscalMFD, AbreRecebimentoNaoFiscal)
QF_CUSTOMER_DOCUMENT(Quelmar_FI_CancelaRecebimentoNaoFiscalMFD, CancelaRecebimentoNaoFiscal)
QF_CUSTOMER_DOCUMENT(Quelmar_FI_EstornoNaoFiscalVinculadoMFD, EstornoNaoFiscalVinculado)

QUELFI_API int QUELFI_CALL Quelmar_FI_IniciaFechamentoCupomMFD(const char* acrescimoDesconto,
                                                               const char* tipoAcrescimoDesconto,
                                                               const char* valorAcrescimo,
                                                               const char* valorDesconto) {
    return enter([=](const Road& road) {
        return mfd::runDocument(
            road, Document::IniciaFechamentoCupom,
            {acrescimoDesconto, tipoAcrescimoDesconto, valorAcrescimo, valorDesconto});
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_IniciaFechamentoRecebimentoNaoFiscalMFD(
    const char* acrescimoDesconto, const char* tipoAcrescimoDesconto, const char* valorAcrescimo,
    const char* valorDesconto) {
    return enter([=](const Road& road) {
        return mfd::runDocument(
            road, Document::IniciaFechamentoRecebimentoNaoFiscal,
            {acrescimoDesconto, tipoAcrescimoDesconto, valorAcrescimo, valorDesconto});
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AcrescimoDescontoSubtotalMFD(
    const char* acrescimoDesconto, const char* tipoAcrescimoDesconto,
    const char* valorAcrescimoDesconto) {
    return enter([=](const Road& road) {
        return mfd::runDocument(
            road, Document::AcrescimoDescontoSubtotal,
            {acrescimoDesconto, tipoAcrescimoDesconto, valorAcrescimoDesconto, nullptr});
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AcrescimoDescontoSubtotalRecebimentoMFD(
    const char* acrescimoDesconto, const char* tipoAcrescimoDesconto,
    const char* valorAcrescimoDesconto) {
    return enter([=](const Road& road) {
        return mfd::runDocument(
            road, Document::AcrescimoDescontoSubtotalRecebimento,
            {acrescimoDesconto, tipoAcrescimoDesconto, valorAcrescimoDesconto, nullptr});
    });
}

QUELFI_API int QUELFI_CALL
Quelmar_FI_CancelaAcrescimoDescontoSubtotalMFD(const char* acrescimoDesconto) {
    return enter([=](const Road& road) {
        return mfd::runDocument(road, Document::CancelaAcrescimoDescontoSubtotal,
                                {acrescimoDesconto, nullptr, nullptr, nullptr});
    });
}

QUELFI_API int QUELFI_CALL
Quelmar_FI_CancelaAcrescimoDescontoSubtotalRecebimentoMFD(const char* acrescimoDesconto) {
    return enter([=](const Road& road) {
        return mfd::runDocument(road, Document::CancelaAcrescimoDescontoSubtotalRecebimento,
                                {acrescimoDesconto, nullptr, nullptr, nullptr});
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AbreCupomMFD(const char* cpf, const char* nome,
                                                   const char* endereco) {
    return enter([=](const Road& road) { return mfd::openCoupon(road, cpf, nome, endereco); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_CancelaCupomMFD(const char* cpf, const char* nome,
                                                      const char* endereco) {
    return enter([=](const Road& road) { return mfd::cancelCoupon(road, cpf, nome, endereco); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaFormaPagamentoMFD(const char* formaPagamento,
                                                                const char* operacaoTef) {
    return enter([=](const Road& road) {
        return mfd::programPaymentForm(road, formaPagamento, operacaoTef);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_EfetuaFormaPagamentoMFD(const char* formaPagamento,
                                                              const char* valorFormaPagamento,
                                                              const char* parcelas,
                                                              const char* descricaoFormaPagamento) {
    return enter([=](const Road& road) {
        return mfd::payInInstalments(road, formaPagamento, valorFormaPagamento, parcelas,
                                     descricaoFormaPagamento);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AcrescimoDescontoItemMFD(const char* item,
                                                               const char* acrescimoDesconto,
                                                               const char* tipoAcrescimoDesconto,
                                                               const char* valorAcrescimoDesconto) {
    return enter([=](const Road& road) {
        return mfd::adjustItem(road, item, acrescimoDesconto, tipoAcrescimoDesconto,
                               valorAcrescimoDesconto);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_CancelaAcrescimoDescontoItemMFD(const char* acrescimoDesconto,
                                                                      const char* item) {
    return enter(
        [=](const Road& road) { return mfd::cancelItemAdjustment(road, acrescimoDesconto, item); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_NomeiaRelatorioGerencialMFD(const char* indice,
                                                                  const char* descricao) {
    return enter([=](const Road& road) { return mfd::nameReport(road, indice, descricao); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AbreRelatorioGerencialMFD(const char* indice) {
    return enter([=](const Road& road) { return mfd::openReport(road, indice); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_UsaRelatorioGerencialMFD(const char* texto) {
    return enter([=](const Road& road) { return mfd::printReportText(road, texto); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_UsaRelatorioGerencialMFDTEF(const char* texto) {
    return enter([=](const Road& road) { return mfd::printReportTextForTef(road, texto); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AutenticacaoMFD(const char* linhas, const char* texto) {
    return enter([=](const Road& road) { return mfd::authenticate(road, linhas, texto); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AbreComprovanteNaoFiscalVinculadoMFD(
    const char* formaPagamento, const char* valor, const char* numeroCupom, const char* cpf,
    const char* nome, const char* endereco) {
    return enter([=](const Road& road) {
        return mfd::openBoundReceipt(road, formaPagamento, valor, numeroCupom, cpf, nome, endereco);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_EfetuaRecebimentoNaoFiscalMFD(const char* indiceTotalizador,
                                                                    const char* valorRecebimento) {
    return enter([=](const Road& road) {
        return mfd::registerReceiptItem(road, indiceTotalizador, valorRecebimento);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FechaRecebimentoNaoFiscalMFD(const char* mensagem) {
    return enter([=](const Road& road) { return mfd::closeReceipt(road, mensagem); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_CancelaItemNaoFiscalMFD(const char* numeroItem) {
    return enter([=](const Road& road) { return mfd::cancelReceiptItem(road, numeroItem); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AcrescimoItemNaoFiscalMFD(
    const char* numeroItem, const char* acrescimoDesconto, const char* tipoAcrescimoDesconto,
    const char* valorAcrescimoDesconto) {
    return enter([=](const Road& road) {
        return mfd::adjustReceiptItem(road, numeroItem, acrescimoDesconto, tipoAcrescimoDesconto,
                                      valorAcrescimoDesconto);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_CancelaAcrescimoNaoFiscalMFD(const char* numeroItem,
                                                                   const char* acrescimoDesconto) {
    return enter([=](const Road& road) {
        return mfd::cancelReceiptItemAdjustment(road, numeroItem, acrescimoDesconto);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ImprimeInformacaoChequeMFD(int posicao, int linhas,
                                                                 const char* mensagem) {
    return enter(
        [=](const Road& road) { return mfd::printChequeText(road, posicao, linhas, mensagem); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_SubTotalComprovanteNaoFiscalMFD(char* subtotal) {
    return enter([=](const Road& road) { return mfd::receiptSubtotal(road, subtotal); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_SetaMFD(int modo) {
    return guarded([=] { return mfd::setFastMode(modo); });
}

}  // extern "C"
