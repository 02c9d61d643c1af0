// The electronic-journal printers' queries, switches and cheque: thin entry points.
#include "exports/boundary.h"
#include "fiscal/day_operations.h"
#include "mfd/computed_reports.h"
#include "mfd/departments_report.h"
#include "mfd/journal_cheque.h"
#include "mfd/journal_controls.h"
#include "mfd/journal_queries.h"
#include "mfd/journal_ticket.h"
#include "mfd/sintegra_data.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::protocol::Road;
namespace mfd = quelfi::mfd;
using mfd::Query;

#define QF_JOURNAL_QUERY(exported, id)                                                     \
    QUELFI_API int QUELFI_CALL exported(char* answer) {                                    \
        return enter(                                                                      \
            [=](const Road& road) { return mfd::journalQuery(road, Query::id, answer); }); \
    }

#define QF_JOURNAL_PAIR(exported, id)                                                             \
    QUELFI_API int QUELFI_CALL exported(char* first, char* second) {                              \
        return enter(                                                                             \
            [=](const Road& road) { return mfd::journalQuery(road, Query::id, first, second); }); \
    }

#define QF_JOURNAL_FLAG(exported, id)                                                             \
    QUELFI_API int QUELFI_CALL exported(short* value) {                                           \
        return enter([=](const Road& road) { return mfd::journalFlag(road, Query::id, value); }); \
    }

#define QF_JOURNAL_SWITCH(exported, which)                                             \
    QUELFI_API int QUELFI_CALL exported(int flag) {                                    \
        return enter([=](const Road& road) {                                           \
            return mfd::setSwitch(road, mfd::Switch::which, static_cast<short>(flag)); \
        });                                                                            \
    }

#define QF_COMPUTED_REPORT(exported, report)                                                  \
    QUELFI_API int QUELFI_CALL exported(void) {                                               \
        return enter(                                                                         \
            [](const Road& road) { return mfd::computedReport(road, mfd::Report::report); }); \
    }

extern "C" {

QF_COMPUTED_REPORT(Quelmar_FI_MapaResumoMFD, SummaryMapJournal)
QF_COMPUTED_REPORT(Quelmar_FI_MapaResumo, SummaryMap)
QF_COMPUTED_REPORT(Quelmar_FI_RelatorioTipo60Mestre, Register60Master)
QF_COMPUTED_REPORT(Quelmar_FI_RelatorioTipo60Analitico, Register60Analytic)
QF_COMPUTED_REPORT(Quelmar_FI_RelatorioTipo60AnaliticoMFD, Register60AnalyticJournal)
QF_COMPUTED_REPORT(Quelmar_FI_RegistrosTipo60, Registers60)

QF_JOURNAL_QUERY(Quelmar_FI_NumeroSerieMFD, NumeroSerieMFD)
QF_JOURNAL_QUERY(Quelmar_FI_VersaoFirmwareMFD, VersaoFirmwareMFD)
QF_JOURNAL_QUERY(Quelmar_FI_CNPJMFD, CNPJMFD)
QF_JOURNAL_QUERY(Quelmar_FI_InscricaoEstadualMFD, InscricaoEstadualMFD)
QF_JOURNAL_QUERY(Quelmar_FI_InscricaoMunicipalMFD, InscricaoMunicipalMFD)
QF_JOURNAL_QUERY(Quelmar_FI_TempoOperacionalMFD, TempoOperacionalMFD)
QF_JOURNAL_QUERY(Quelmar_FI_MinutosEmitindoDocumentosFiscaisMFD,
                 MinutosEmitindoDocumentosFiscaisMFD)
QF_JOURNAL_QUERY(Quelmar_FI_ContadorComprovantesCreditoMFD, ContadorComprovantesCreditoMFD)
QF_JOURNAL_QUERY(Quelmar_FI_ContadorOperacoesNaoFiscaisCanceladasMFD,
                 ContadorOperacoesNaoFiscaisCanceladasMFD)
QF_JOURNAL_QUERY(Quelmar_FI_ContadorRelatoriosGerenciaisMFD, ContadorRelatoriosGerenciaisMFD)
QF_JOURNAL_QUERY(Quelmar_FI_ContadorCupomFiscalMFD, ContadorCupomFiscalMFD)
QF_JOURNAL_QUERY(Quelmar_FI_ContadorFitaDetalheMFD, ContadorFitaDetalheMFD)
QF_JOURNAL_QUERY(Quelmar_FI_ComprovantesNaoFiscaisNaoEmitidosMFD,
                 ComprovantesNaoFiscaisNaoEmitidosMFD)
QF_JOURNAL_QUERY(Quelmar_FI_NumeroSerieMemoriaMFD, NumeroSerieMemoriaMFD)
QF_JOURNAL_QUERY(Quelmar_FI_ReducoesRestantesMFD, ReducoesRestantesMFD)
QF_JOURNAL_QUERY(Quelmar_FI_PercentualLivreMFD, PercentualLivreMFD)
QF_JOURNAL_QUERY(Quelmar_FI_TamanhoTotalMFD, TamanhoTotalMFD)
QF_JOURNAL_QUERY(Quelmar_FI_TotalLivreMFD, TotalLivreMFD)
QF_JOURNAL_QUERY(Quelmar_FI_DataHoraUltimoDocumentoMFD, DataHoraUltimoDocumentoMFD)
QF_JOURNAL_FLAG(Quelmar_FI_StatusEstendidoMFD, StatusEstendidoMFD)
QF_JOURNAL_QUERY(Quelmar_FI_DataMovimentoUltimaReducaoMFD, DataMovimentoUltimaReducaoMFD)
QF_JOURNAL_QUERY(Quelmar_FI_GrandeTotalUltimaReducaoMFD, GrandeTotalUltimaReducaoMFD)
QF_JOURNAL_QUERY(Quelmar_FI_UFProprietarioMFD, UFProprietarioMFD)
QF_JOURNAL_QUERY(Quelmar_FI_TempoRestanteComprovanteMFD, TempoRestanteComprovanteMFD)
QF_JOURNAL_PAIR(Quelmar_FI_InicioFimCOOsMFD, InicioFimCOOsMFD)
QF_JOURNAL_PAIR(Quelmar_FI_InicioFimGTsMFD, InicioFimGTsMFD)
QF_JOURNAL_FLAG(Quelmar_FI_VerificaFlagCorteMFD, VerificaFlagCorteMFD)
QF_JOURNAL_QUERY(Quelmar_FI_ContadoresTotalizadoresNaoFiscaisMFD,
                 ContadoresTotalizadoresNaoFiscaisMFD)
QF_JOURNAL_QUERY(Quelmar_FI_VerificaTotalizadoresNaoFiscaisMFD, VerificaTotalizadoresNaoFiscaisMFD)
QF_JOURNAL_QUERY(Quelmar_FI_VerificaFormasPagamentoMFD, VerificaFormasPagamentoMFD)
QF_JOURNAL_QUERY(Quelmar_FI_VerificaRecebimentoNaoFiscalMFD, VerificaRecebimentoNaoFiscalMFD)
QF_JOURNAL_QUERY(Quelmar_FI_VerificaRelatorioGerencialMFD, VerificaRelatorioGerencialMFD)
QF_JOURNAL_QUERY(Quelmar_FI_VerificaTotalizadoresParciaisMFD, VerificaTotalizadoresParciaisMFD)
QF_JOURNAL_QUERY(Quelmar_FI_DadosUltimaReducaoMFD, DadosUltimaReducaoMFD)
QF_JOURNAL_SWITCH(Quelmar_FI_AtivaDesativaTratamentoONOFFLineMFD, OnOffLine)
QF_JOURNAL_SWITCH(Quelmar_FI_AtivaDesativaAlinhamentoEsquerdaMFD, LeftAlignment)
QF_JOURNAL_SWITCH(Quelmar_FI_AtivaDesativaVendaUmaLinhaMFD, OneLineSale)

QUELFI_API int QUELFI_CALL Quelmar_FI_LeituraXSerial(void) {
    return enter([](const Road& road) { return quelfi::fiscal::readingXToFile(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_LeituraMemoriaFiscalSerialData(const char* dataInicial,
                                                                     const char* dataFinal) {
    return enter([=](const Road& road) {
        return quelfi::fiscal::fiscalMemoryByDate(road, dataInicial, dataFinal, true);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_LeituraMemoriaFiscalSerialReducao(const char* reducaoInicial,
                                                                        const char* reducaoFinal) {
    return enter([=](const Road& road) {
        return quelfi::fiscal::fiscalMemoryByReduction(road, reducaoInicial, reducaoFinal, true);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AtivaDesativaCorteProximoMFD(void) {
    return enter([](const Road& road) { return mfd::setSwitch(road, mfd::Switch::CutNext, 0); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_MarcaModeloTipoImpressoraMFD(char* marca, char* modelo,
                                                                   char* tipo) {
    return enter([=](const Road& road) { return mfd::makeModelType(road, marca, modelo, tipo); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ValorFormaPagamentoMFD(const char* formaPagamento,
                                                             char* valor) {
    return enter(
        [=](const Road& road) { return mfd::paymentFormValue(road, formaPagamento, valor); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ValorTotalizadorNaoFiscalMFD(const char* totalizador,
                                                                   char* valor) {
    return enter(
        [=](const Road& road) { return mfd::nonFiscalTotalizerValue(road, totalizador, valor); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_LeituraChequeMFD(char* codigoCMC7) {
    return enter([=](const Road& road) { return mfd::readCheque(road, codigoCMC7); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ImprimeChequeMFD(const char* banco, const char* valor,
                                                       const char* favorecido, const char* cidade,
                                                       const char* data, const char* mensagem,
                                                       const char* impressaoVerso,
                                                       const char* linhas) {
    return enter([=](const Road& road) {
        return mfd::printCheque(
            road, {banco, valor, favorecido, cidade, data, mensagem, impressaoVerso, linhas});
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_HabilitaDesabilitaRetornoEstendidoMFD(const char* flag) {
    return enter([=](const Road& road) { return mfd::setExtendedReturn(road, flag); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_RetornoImpressoraMFD(short* ack, short* st1, short* st2,
                                                           short* st3) {
    return enter([=](const Road& road) { return mfd::printerReturn(road, ack, st1, st2, st3); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_LeituraMemoriaFiscalDataMFD(const char* dataInicial,
                                                                  const char* dataFinal,
                                                                  const char* flag) {
    return enter([=](const Road& road) {
        return mfd::fiscalMemoryReading(road, mfd::MemoryRange::Date, dataInicial, dataFinal, flag);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_LeituraMemoriaFiscalReducaoMFD(const char* reducaoInicial,
                                                                     const char* reducaoFinal,
                                                                     const char* flag) {
    return enter([=](const Road& road) {
        return mfd::fiscalMemoryReading(road, mfd::MemoryRange::Reduction, reducaoInicial,
                                        reducaoFinal, flag);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_LeituraMemoriaFiscalSerialDataMFD(const char* dataInicial,
                                                                        const char* dataFinal,
                                                                        const char* flag) {
    return enter([=](const Road& road) {
        return mfd::fiscalMemoryReading(road, mfd::MemoryRange::Date, dataInicial, dataFinal, flag,
                                        true);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_LeituraMemoriaFiscalSerialReducaoMFD(
    const char* reducaoInicial, const char* reducaoFinal, const char* flag) {
    return enter([=](const Road& road) {
        return mfd::fiscalMemoryReading(road, mfd::MemoryRange::Reduction, reducaoInicial,
                                        reducaoFinal, flag, true);
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_AbreBilhetePassagemMFD(
    const char* embarque, const char* destino, const char* linha, const char* agencia,
    const char* data, const char* hora, const char* poltrona, const char* plataforma,
    const char* tipo, const char* rg, const char* nome, const char* endereco,
    const char* ufDestino) {
    return enter([=](const Road& road) {
        return mfd::openPassengerTicket(
            road, {embarque, destino, linha, agencia, data, hora, poltrona, plataforma, tipo, rg,
                   nome, endereco, ufDestino});
    });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_ImprimeDepartamentos(void) {
    return enter([](const Road& road) { return mfd::printDepartments(road); });
}

QUELFI_API int QUELFI_CALL Quelmar_FI_DadosSintegra(const char* dataInicial,
                                                    const char* dataFinal) {
    return enter([=](const Road& road) { return mfd::sintegraData(road, dataInicial, dataFinal); });
}

}  // extern "C"
