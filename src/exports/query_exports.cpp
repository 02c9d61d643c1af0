// Information-query exports: thin entry points over the query family.
#include <cstdio>
#include <cstring>
#include <optional>

#include "adapters/yanco/yanco_status.h"
#include "exports/boundary.h"
#include "fiscal/queries.h"
#include "protocol/status.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::exports::guarded;
using quelfi::protocol::Road;
namespace fiscal = quelfi::fiscal;
namespace protocol = quelfi::protocol;
namespace yanco = quelfi::yanco;
using fiscal::Query;

namespace {

// The number as text with its terminator, nothing more: the caller's buffer is as long as the
// text a 16-bit value can make.
void writeNumber(char* out, const char* format, int value) {
    if (!out) return;
    char text[16];
    const int length = std::snprintf(text, sizeof text, format, static_cast<short>(value));
    std::memcpy(out, text, static_cast<std::size_t>(length) + 1);
}

int integerToShort(const Road& road, Query id, short* out) {
    std::optional<int> value;
    const int result = fiscal::integerQuery(road, id, value);
    if (value && out) *out = static_cast<short>(*value);
    return result;
}

// The Str variants write the integer as text, and only when the member handed one over.
int integerToText(const Road& road, Query id, char* out, const char* format) {
    std::optional<int> value;
    const int result = fiscal::integerQuery(road, id, value);
    if (value) writeNumber(out, format, *value);
    return result;
}

void statusText(char* out, int value) {
    writeNumber(out, "%d", value);
}

// The status bytes of a printer's answer written as texts; without an answer nothing is written.
void statusTexts(const std::optional<protocol::StatusAnswer>& answer, char* ack, char* st1,
                 char* st2, char* st3 = nullptr) {
    if (!answer) return;
    statusText(ack, answer->ack);
    statusText(st1, answer->st1);
    statusText(st2, answer->st2);
    if (st3) statusText(st3, answer->st3);
}

// A Yanco status operation answering in texts (and ST3 0 for the journal's variant).
using YancoStatus = int (*)(const Road&, short*, short*, short*);
int yancoStatusTexts(YancoStatus status, const Road& road, char* ack, char* st1, char* st2,
                     char* st3 = nullptr) {
    short values[3] = {0, 0, 0};
    const int result = status(road, &values[0], &values[1], &values[2]);
    statusText(ack, values[0]);
    statusText(st1, values[1]);
    statusText(st2, values[2]);
    statusText(st3, 0);
    return result;
}

}  // namespace

#define QF_TEXT_QUERY(exported, row)                                                        \
    QUELFI_API int QUELFI_CALL exported(char* answer) {                                     \
        return enter(                                                                       \
            [=](const Road& road) { return fiscal::textQuery(road, Query::row, answer); }); \
    }

#define QF_SPLIT_QUERY(exported, row)                                   \
    QUELFI_API int QUELFI_CALL exported(char* first, char* second) {    \
        return enter([=](const Road& road) {                            \
            return fiscal::splitQuery(road, Query::row, first, second); \
        });                                                             \
    }

extern "C" {

QF_TEXT_QUERY(Quelmar_FI_NumeroCupom, NumeroCupom)
QF_TEXT_QUERY(Quelmar_FI_NumeroSerie, NumeroSerie)
QF_TEXT_QUERY(Quelmar_FI_VersaoFirmware, VersaoFirmware)
QF_SPLIT_QUERY(Quelmar_FI_CGC_IE, CgcIe)
QF_TEXT_QUERY(Quelmar_FI_GrandeTotal, GrandeTotal)
QF_TEXT_QUERY(Quelmar_FI_Cancelamentos, Cancelamentos)
QF_TEXT_QUERY(Quelmar_FI_Descontos, Descontos)
QF_TEXT_QUERY(Quelmar_FI_NumeroOperacoesNaoFiscais, NumeroOperacoesNaoFiscais)
QF_TEXT_QUERY(Quelmar_FI_NumeroCuponsCancelados, NumeroCuponsCancelados)
QF_TEXT_QUERY(Quelmar_FI_NumeroReducoes, NumeroReducoes)
QF_TEXT_QUERY(Quelmar_FI_NumeroIntervencoes, NumeroIntervencoes)
QF_TEXT_QUERY(Quelmar_FI_NumeroSubstituicoesProprietario, NumeroSubstituicoesProprietario)
QF_TEXT_QUERY(Quelmar_FI_UltimoItemVendido, UltimoItemVendido)
QF_TEXT_QUERY(Quelmar_FI_ClicheProprietario, ClicheProprietario)
QF_TEXT_QUERY(Quelmar_FI_NumeroCaixa, NumeroCaixa)
QF_TEXT_QUERY(Quelmar_FI_NumeroLoja, NumeroLoja)
QF_TEXT_QUERY(Quelmar_FI_SimboloMoeda, SimboloMoeda)
QF_TEXT_QUERY(Quelmar_FI_MinutosLigada, MinutosLigada)
QF_TEXT_QUERY(Quelmar_FI_MinutosImprimindo, MinutosImprimindo)
QF_TEXT_QUERY(Quelmar_FI_VerificaModoOperacao, VerificaModoOperacao)
QF_TEXT_QUERY(Quelmar_FI_VerificaEpromConectada, VerificaEpromConectada)
QF_TEXT_QUERY(Quelmar_FI_ValorPagoUltimoCupom, ValorPagoUltimoCupom)
QF_SPLIT_QUERY(Quelmar_FI_DataHoraImpressora, DataHoraImpressora)
QF_TEXT_QUERY(Quelmar_FI_ContadoresTotalizadoresNaoFiscais, ContadoresTotalizadoresNaoFiscais)
QF_TEXT_QUERY(Quelmar_FI_VerificaTotalizadoresNaoFiscais, VerificaTotalizadoresNaoFiscais)
QF_SPLIT_QUERY(Quelmar_FI_DataHoraReducao, DataHoraReducao)
QF_TEXT_QUERY(Quelmar_FI_DataMovimento, DataMovimento)
QF_TEXT_QUERY(Quelmar_FI_VerificaTruncamento, VerificaTruncamento)
QF_TEXT_QUERY(Quelmar_FI_VerificaAliquotasIss, VerificaAliquotasIss)
QF_TEXT_QUERY(Quelmar_FI_VerificaIndiceAliquotasIss, VerificaIndiceAliquotasIss)
QF_TEXT_QUERY(Quelmar_FI_Acrescimos, Acrescimos)
QF_TEXT_QUERY(Quelmar_FI_ContadorBilhetePassagem, ContadorBilhetePassagem)
QF_TEXT_QUERY(Quelmar_FI_VerificaFormasPagamento, VerificaFormasPagamento)
QF_TEXT_QUERY(Quelmar_FI_VerificaRecebimentoNaoFiscal, VerificaRecebimentoNaoFiscal)
QF_TEXT_QUERY(Quelmar_FI_VerificaDepartamentos, VerificaDepartamentos)
QF_TEXT_QUERY(Quelmar_FI_VerificaTotalizadoresParciais, VerificaTotalizadoresParciais)
QF_TEXT_QUERY(Quelmar_FI_RetornoAliquotas, RetornoAliquotas)
QF_TEXT_QUERY(Quelmar_FI_DadosUltimaReducao, DadosUltimaReducao)
QF_TEXT_QUERY(Quelmar_FI_MonitoramentoPapel, MonitoramentoPapel)

QUELFI_API int QUELFI_CALL Quelmar_FI_FlagsFiscais(short* flag) {
    return enter([=](const Road& road) { return integerToShort(road, Query::FlagsFiscais, flag); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_FlagsFiscaisStr(char* flag) {
    return enter(
        [=](const Road& road) { return integerToText(road, Query::FlagsFiscais, flag, "%03d"); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VerificaTipoImpressora(short* tipoImpressora) {
    return enter([=](const Road& road) {
        return integerToShort(road, Query::VerificaTipoImpressora, tipoImpressora);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VerificaTipoImpressoraStr(char* tipoImpressora) {
    return enter([=](const Road& road) {
        return integerToText(road, Query::VerificaTipoImpressora, tipoImpressora, "%d");
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VerificaEstadoGaveta(short* estadoGaveta) {
    return enter([=](const Road& road) {
        return integerToShort(road, Query::VerificaEstadoGaveta, estadoGaveta);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VerificaEstadoGavetaStr(char* estadoGaveta) {
    return enter([=](const Road& road) {
        return integerToText(road, Query::VerificaEstadoGaveta, estadoGaveta, "%d");
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VerificaStatusCheque(short* statusCheque) {
    return enter([=](const Road& road) {
        return integerToShort(road, Query::VerificaStatusCheque, statusCheque);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VerificaStatusChequeStr(char* statusCheque) {
    return enter([=](const Road& road) {
        return integerToText(road, Query::VerificaStatusCheque, statusCheque, "%d");
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AcionaGaveta(void) {
    return enter([](const Road& road) { return fiscal::openDrawer(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VerificaEstadoImpressoraStr(char* ack, char* st1, char* st2) {
    return enter(
        [=](const Road& road) {
            std::optional<protocol::StatusAnswer> answer;
            const int result = protocol::verifyPrinterState(road, answer);
            statusTexts(answer, ack, st1, st2);
            return result;
        },
        [=](const Road& road) {
            return yancoStatusTexts(yanco::verifyPrinterState, road, ack, st1, st2);
        });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VerificaEstadoImpressoraMFD(short* ack, short* st1,
                                                                  short* st2, short* st3) {
    return enter(
        [=](const Road& road) {
            std::optional<protocol::StatusAnswer> answer;
            const int result = protocol::verifyPrinterStateMfd(road, answer);
            if (answer) {
                for (auto [out, value] : {std::pair{ack, answer->ack}, std::pair{st1, answer->st1},
                                          std::pair{st2, answer->st2}, std::pair{st3, answer->st3}})
                    if (out) *out = static_cast<short>(value);
            }
            return result;
        },
        [=](const Road& road) {
            // The Yanco printer has no journal status: its ST3 is 0.
            if (st3) *st3 = 0;
            return yanco::verifyPrinterState(road, ack, st1, st2);
        });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VerificaEstadoImpressoraMFDStr(char* ack, char* st1,
                                                                     char* st2, char* st3) {
    return enter(
        [=](const Road& road) {
            std::optional<protocol::StatusAnswer> answer;
            const int result = protocol::verifyPrinterStateMfd(road, answer);
            statusTexts(answer, ack, st1, st2, st3);
            return result;
        },
        [=](const Road& road) {
            return yancoStatusTexts(yanco::verifyPrinterState, road, ack, st1, st2, st3);
        });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_RetornoImpressoraStr(char* ack, char* st1, char* st2) {
    return enter(
        [=](const Road& road) {
            std::optional<protocol::StatusAnswer> answer;
            const int result = protocol::printerReturn(road, answer);
            statusTexts(answer, ack, st1, st2);
            return result;
        },
        [=](const Road& road) {
            return yancoStatusTexts(yanco::printerReturn, road, ack, st1, st2);
        });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ValorFormaPagamento(const char* formaPagamento, char* valor) {
    return enter(
        [=](const Road& road) { return fiscal::paymentFormValue(road, formaPagamento, valor); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ValorTotalizadorNaoFiscal(const char* totalizador,
                                                                char* valor) {
    return enter([=](const Road& road) {
        return fiscal::nonFiscalTotalizerValue(road, totalizador, valor);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_VersaoDll(char* versao) {
    return guarded([=] { return fiscal::dllVersion(versao); });
}

}  // extern "C"
