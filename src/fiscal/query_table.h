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
    VendaBruta,
};

// What a member does on the Yanco printer. The Yanco adapter reads this column; until it is
// built, every member takes its Quelmar road.
enum class YancoRoad {
    Query,           // sends `query` and shapes the reply as `shape` says
    Unavailable,     // refuses with -30 "Funcao incompativel com a impressora yanco"
    Adapter,         // the adapter's own operation for this member
    QuelmarCommand,  // the Quelmar command is sent whatever the model
    Fixed,           // answers `query` as it stands without asking the printer
    IniRecord,       // answers from the INI record named in `query`
};

struct YancoNote {
    YancoRoad road;
    std::string_view query;  // the Yanco query text(s), or the fixed answer
    std::string_view shape;  // how its reply becomes the answer
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
    YancoNote yanco;
};

// The member's row.
const QueryMember& member(Query id);

// The member's row of the export table (its request record); the gross sales, which the library
// computes for itself, have one without a record.
const protocol::ExportRow& exportRowOf(const QueryMember& member);

// Every row, for tools and tests that walk the family.
const QueryMember* membersBegin();
const QueryMember* membersEnd();

}  // namespace quelfi::fiscal
