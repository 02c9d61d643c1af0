// The entry points of the cheque station's documents, the passenger ticket and the printer's
// programming.
#include "exports/boundary.h"
#include "fiscal/cheque_documents.h"
#include "fiscal/printer_programming.h"
#include "mfd/journal_cheque.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::fiscal::Programming;
using quelfi::protocol::Road;
namespace fiscal = quelfi::fiscal;
namespace mfd = quelfi::mfd;

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FI_ImprimeCheque(const char* banco, const char* valor,
                                                    const char* favorecido, const char* cidade,
                                                    const char* data, const char* mensagem) {
    return enter([=](const Road& road) {
        return fiscal::printCheque(road, banco, valor, favorecido, cidade, data, mensagem);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ImprimeCopiaCheque(void) {
    return enter(
        [](const Road& road) { return fiscal::printChequeCopy(road, mfd::printChequeCopy); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_IncluiCidadeFavorecido(const char* cidade,
                                                             const char* favorecido) {
    return enter(
        [=](const Road& road) { return fiscal::setChequeDefaults(road, cidade, favorecido); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_CancelaImpressaoCheque(void) {
    return enter([](const Road& road) { return fiscal::cancelChequePrint(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_Autenticacao(void) {
    return enter([](const Road& road) { return fiscal::authenticate(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaCaracterAutenticacao(const char* parametros) {
    return enter(
        [=](const Road& road) { return fiscal::programAuthenticationCharacter(road, parametros); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ForcaImpactoAgulhas(int forcaImpacto) {
    return enter([=](const Road& road) { return fiscal::setNeedleImpact(road, forcaImpacto); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AbreBilhetePassagem(
    const char* imprimeValorFinal, const char* imprimeEnfatizado, const char* localEmbarque,
    const char* localDestino, const char* linha, const char* prefixo, const char* agente,
    const char* agencia, const char* data, const char* hora, const char* poltrona,
    const char* plataforma) {
    return enter([=](const Road& road) {
        return fiscal::openPassengerTicket(
            road, {imprimeValorFinal, imprimeEnfatizado, localEmbarque, localDestino, linha,
                   prefixo, agente, agencia, data, hora, poltrona, plataforma});
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaAliquota(const char* aliquota, int vinculo) {
    return enter([=](const Road& road) {
        return fiscal::programPrinter(road, Programming::TaxRate, aliquota, vinculo);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_NomeiaTotalizadorNaoSujeitoIcms(int indice,
                                                                      const char* totalizador) {
    return enter([=](const Road& road) {
        return fiscal::programPrinter(road, Programming::TotalizerName, totalizador, indice);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_NomeiaDepartamento(int indice, const char* departamento) {
    return enter([=](const Road& road) {
        return fiscal::programPrinter(road, Programming::DepartmentName, departamento, indice);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AlteraSimboloMoeda(const char* simboloMoeda) {
    return enter([=](const Road& road) {
        return fiscal::programPrinter(road, Programming::CurrencySymbol, simboloMoeda);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaMoedaSingular(const char* moedaSingular) {
    return enter([=](const Road& road) {
        return fiscal::programPrinter(road, Programming::CurrencySingular, moedaSingular);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaMoedaPlural(const char* moedaPlural) {
    return enter([=](const Road& road) {
        return fiscal::programPrinter(road, Programming::CurrencyPlural, moedaPlural);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaArredondamento(void) {
    return enter(
        [](const Road& road) { return fiscal::programPrinter(road, Programming::Rounding); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaTruncamento(void) {
    return enter(
        [](const Road& road) { return fiscal::programPrinter(road, Programming::Truncation); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ProgramaHorarioVerao(void) {
    return enter(
        [](const Road& road) { return fiscal::programPrinter(road, Programming::DaylightSaving); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_LinhasEntreCupons(int linhas) {
    return enter([=](const Road& road) {
        return fiscal::programPrinter(road, Programming::LinesAfterDocument, nullptr, linhas);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_EspacoEntreLinhas(int pontos) {
    return enter([=](const Road& road) {
        return fiscal::programPrinter(road, Programming::LineSpacing, nullptr, pontos);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ResetaImpressora(void) {
    return enter([](const Road& road) { return fiscal::programPrinter(road, Programming::Reset); });
}

}  // extern "C"
