// The information queries as data: for each member, the command that asks the printer, how its
// reply is decoded, how wide its answer is, and what the Yanco printer does instead. The common
// shape runs from this table; the few members with their own answer handling add a small function
// on top of the same row.
#pragma once

#include <cstddef>
#include <string_view>

#include "protocol/export_row.h"

namespace quelfi::fiscal {

// One row per member, in the table's order.
enum class Query {
    NumeroCupom,
    NumeroSerie,
    VersaoFirmware,
    CgcIe,
    GrandeTotal,
    Cancelamentos,
    Descontos,
    NumeroOperacoesNaoFiscais,
    NumeroCuponsCancelados,
    NumeroReducoes,
    NumeroIntervencoes,
    NumeroSubstituicoesProprietario,
    UltimoItemVendido,
    ClicheProprietario,
    NumeroCaixa,
    NumeroLoja,
    SimboloMoeda,
    FlagsFiscais,
    MinutosLigada,
    MinutosImprimindo,
    VerificaModoOperacao,
    VerificaEpromConectada,
    ValorPagoUltimoCupom,
    DataHoraImpressora,
    ContadoresTotalizadoresNaoFiscais,
    VerificaTotalizadoresNaoFiscais,
    DataHoraReducao,
    DataMovimento,
    VerificaTruncamento,
    VerificaAliquotasIss,
    VerificaIndiceAliquotasIss,
    Acrescimos,
    ContadorBilhetePassagem,
    VerificaFormasPagamento,
    VerificaRecebimentoNaoFiscal,
    VerificaDepartamentos,
    VerificaTipoImpressora,
    VerificaTotalizadoresParciais,
    RetornoAliquotas,
    DadosUltimaReducao,
    MonitoramentoPapel,
    AcionaGaveta,
    VerificaEstadoGaveta,
    VerificaStatusCheque,
    ValorFormaPagamento,
    ValorTotalizadorNaoFiscal,
    // The electronic-journal printers' own queries.
    NumeroSerieMFD,
    VersaoFirmwareMFD,
    CNPJMFD,
    InscricaoEstadualMFD,
    InscricaoMunicipalMFD,
    TempoOperacionalMFD,
    MinutosEmitindoDocumentosFiscaisMFD,
    ContadorComprovantesCreditoMFD,
    ContadorOperacoesNaoFiscaisCanceladasMFD,
    ContadorRelatoriosGerenciaisMFD,
    ContadorCupomFiscalMFD,
    ContadorFitaDetalheMFD,
    ComprovantesNaoFiscaisNaoEmitidosMFD,
    NumeroSerieMemoriaMFD,
    ReducoesRestantesMFD,
    PercentualLivreMFD,
    TamanhoTotalMFD,
    TotalLivreMFD,
    DataHoraUltimoDocumentoMFD,
    StatusEstendidoMFD,
    DataMovimentoUltimaReducaoMFD,
    GrandeTotalUltimaReducaoMFD,
    UFProprietarioMFD,
    TempoRestanteComprovanteMFD,
    InicioFimCOOsMFD,
    InicioFimGTsMFD,
    VerificaFlagCorteMFD,
    ContadoresTotalizadoresNaoFiscaisMFD,
    VerificaTotalizadoresNaoFiscaisMFD,
    VerificaFormasPagamentoMFD,
    VerificaRecebimentoNaoFiscalMFD,
    VerificaRelatorioGerencialMFD,
    MarcaModeloTipoImpressoraMFD,
    VerificaTotalizadoresParciaisMFD,
    DadosUltimaReducaoMFD,
    LeituraChequeMFD,
    VendaBruta,
};

// How a member makes its answer on the Yanco printer when its row of the export table gives it a
// Yanco route of its own (the printer's commands, or a local answer); the route itself, and the
// -30 of the members the printer lacks, are the export table's.
enum class YancoShape {
    None,           // nothing of its own
    Register,       // the register's digits, zero-filled on the left to the answer's width
    RegisterSum,    // two registers added in centavos, zero-filled to the width
    RegisterText,   // the register's text left-aligned in blanks to the width (two: one a buffer)
    Configuration,  // characters of the configuration answer ("2E"), blank-filled to the width
    Fixed,          // the text of `query`, without the printer
    Own,            // a function of its own in the Yanco adapter
    RefusedFirst,   // the printer lacks it, and says so before the network step
};

struct YancoQuery {
    YancoShape shape = YancoShape::None;
    std::string_view query;  // the Yanco command(s), comma-separated, or the fixed answer
    std::size_t at = 0;      // Configuration: the first character in the answer frame
    std::size_t length = 0;  // Configuration: how many characters
};

struct QueryMember {
    Query id;
    std::string_view name;     // the export's name, as the call log writes it
    std::string_view command;  // the command bytes after the prefix; "" for none
    int replyLength;           // ACK + data bytes + ST1 + ST2
    int dataFormat;            // 1 packed BCD, 2 characters, 3 hexadecimal, 4 decimal per byte
    int tableCommand;          // the reply's table layout, 0 for a plain reply
    bool leadingCount;         // the first data byte is a count written with two digits
    std::size_t width;         // the answer's width in the caller's buffer(s)
    std::size_t split;         // answers in two buffers: the first one's width; else 0
    bool alwaysSeparator;      // the separator line is logged also when nested
    YancoQuery yanco;
};

// The member's row.
const QueryMember& member(Query id);
// The row of the member exported under `name`, or null.
const QueryMember* findMember(std::string_view name);

// The member's row of the export table (its request record); the gross sales, which the library
// computes for itself, have one without a record.
const protocol::ExportRow& exportRowOf(const QueryMember& member);

// Every row, for tools and tests that walk the family.
const QueryMember* membersBegin();
const QueryMember* membersEnd();

}  // namespace quelfi::fiscal
