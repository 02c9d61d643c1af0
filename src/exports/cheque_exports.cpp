// The entry points of the cheque station's documents, the passenger ticket and the printer's
// programming.
#include "exports/boundary.h"
#include "fiscal/cheque_documents.h"
#include "fiscal/printer_programming.h"
#include "quelfi32.h"

using quelfi::exports::guarded;
using quelfi::fiscal::Programming;
namespace fiscal = quelfi::fiscal;

namespace {

// The copy of the last cheque on the electronic-journal printers goes to their own cheque; until
// that cheque is part of the library the copy cannot be printed there: an execution error.
int journalChequeNotBuilt(const fiscal::ChequeCopy&) {
    return -1;
}

}  // namespace

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FI_ImprimeCheque(const char* banco, const char* valor,
                                                    const char* favorecido, const char* cidade,
                                                    const char* data, const char* mensagem) {
    return guarded(
        [=] { return fiscal::printCheque(banco, valor, favorecido, cidade, data, mensagem); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ImprimeCopiaCheque(void) {
    return guarded([] { return fiscal::printChequeCopy(journalChequeNotBuilt); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_IncluiCidadeFavorecido(const char* cidade,
                                                             const char* favorecido) {
    return guarded([=] { return fiscal::setChequeDefaults(cidade, favorecido); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_CancelaImpressaoCheque(void) {
    return guarded([] { return fiscal::cancelChequePrint(); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_Autenticacao(void) {
    return guarded([] { return fiscal::authenticate(); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaCaracterAutenticacao(const char* parametros) {
    return guarded([=] { return fiscal::programAuthenticationCharacter(parametros); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ForcaImpactoAgulhas(int forcaImpacto) {
    return guarded([=] { return fiscal::setNeedleImpact(forcaImpacto); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AbreBilhetePassagem(
    const char* imprimeValorFinal, const char* imprimeEnfatizado, const char* localEmbarque,
    const char* localDestino, const char* linha, const char* prefixo, const char* agente,
    const char* agencia, const char* data, const char* hora, const char* poltrona,
    const char* plataforma) {
    return guarded([=] {
        return fiscal::openPassengerTicket({imprimeValorFinal, imprimeEnfatizado, localEmbarque,
                                            localDestino, linha, prefixo, agente, agencia, data,
                                            hora, poltrona, plataforma});
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaAliquota(const char* aliquota, int vinculo) {
    return guarded([=] { return fiscal::programPrinter(Programming::TaxRate, aliquota, vinculo); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_NomeiaTotalizadorNaoSujeitoIcms(int indice,
                                                                      const char* totalizador) {
    return guarded(
        [=] { return fiscal::programPrinter(Programming::TotalizerName, totalizador, indice); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_NomeiaDepartamento(int indice, const char* departamento) {
    return guarded(
        [=] { return fiscal::programPrinter(Programming::DepartmentName, departamento, indice); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AlteraSimboloMoeda(const char* simboloMoeda) {
    return guarded(
        [=] { return fiscal::programPrinter(Programming::CurrencySymbol, simboloMoeda); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaMoedaSingular(const char* moedaSingular) {
    return guarded(
        [=] { return fiscal::programPrinter(Programming::CurrencySingular, moedaSingular); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaMoedaPlural(const char* moedaPlural) {
    return guarded(
        [=] { return fiscal::programPrinter(Programming::CurrencyPlural, moedaPlural); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaArredondamento(void) {
    return guarded([] { return fiscal::programPrinter(Programming::Rounding); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaTruncamento(void) {
    return guarded([] { return fiscal::programPrinter(Programming::Truncation); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaHorarioVerao(void) {
    return guarded([] { return fiscal::programPrinter(Programming::DaylightSaving); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_LinhasEntreCupons(int linhas) {
    return guarded(
        [=] { return fiscal::programPrinter(Programming::LinesAfterDocument, nullptr, linhas); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_EspacoEntreLinhas(int pontos) {
    return guarded(
        [=] { return fiscal::programPrinter(Programming::LineSpacing, nullptr, pontos); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ResetaImpressora(void) {
    return guarded([] { return fiscal::programPrinter(Programming::Reset); });
}

}  // extern "C"
