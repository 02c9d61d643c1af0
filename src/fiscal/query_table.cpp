#include "fiscal/query_table.h"

#include <iterator>

#include "protocol/export_row.h"

namespace quelfi::fiscal {

namespace {

using namespace std::string_view_literals;
using enum Query;

constexpr bool A = true;   // separator always
constexpr bool N = false;  // separator only when not nested

constexpr YancoQuery kNone{};
constexpr YancoQuery kRefusedFirst{YancoShape::RefusedFirst, "", 0, 0};
constexpr YancoQuery kOwn{YancoShape::Own, "", 0, 0};
constexpr YancoQuery reg(std::string_view query) {
    return {YancoShape::Register, query, 0, 0};
}
constexpr YancoQuery text(std::string_view query) {
    return {YancoShape::RegisterText, query, 0, 0};
}
constexpr YancoQuery sum(std::string_view query) {
    return {YancoShape::RegisterSum, query, 0, 0};
}
constexpr YancoQuery configuration(std::size_t at, std::size_t length) {
    return {YancoShape::Configuration, "2E", at, length};
}
constexpr YancoQuery fixed(std::string_view answer) {
    return {YancoShape::Fixed, answer, 0, 0};
}

// clang-format off
constexpr QueryMember kMembers[] = {
//   id                                 name                                          command     reply fmt table count width split sep yanco
    {NumeroCupom,                       "Quelmar_FI_NumeroCupom",                      "\x1E",        6,  1,  0, false,   6,  0, N, reg("34077")},
    // Long form; printers of type 0 are asked with ESC '#' NUL (see serialNumber()).
    {NumeroSerie,                       "Quelmar_FI_NumeroSerie",                      "#\x28",      23,  2,  0, false,  15,  0, N, text("34079")},
    {VersaoFirmware,                    "Quelmar_FI_VersaoFirmware",                   "#\x01",       5,  1,  0, false,   4,  0, N, kOwn},
    {CgcIe,                             "Quelmar_FI_CGC_IE",                           "#\x02",      36,  2,  0, false,  33, 18, N, text("34073,34074")},
    {GrandeTotal,                       "Quelmar_FI_GrandeTotal",                      "#\x03",      12,  1,  0, false,  18,  0, A, reg("34001")},
    {Cancelamentos,                     "Quelmar_FI_Cancelamentos",                    "#\x04",      10,  1,  0, false,  14,  0, N, reg("34008")},
    {Descontos,                         "Quelmar_FI_Descontos",                        "#\x05",      10,  1,  0, false,  14,  0, N, sum("34006,34007")},
    {NumeroOperacoesNaoFiscais,         "Quelmar_FI_NumeroOperacoesNaoFiscais",        "#\x07",       6,  1,  0, false,   6,  0, A, kNone},
    {NumeroCuponsCancelados,            "Quelmar_FI_NumeroCuponsCancelados",           "#\x08",       5,  1,  0, false,   4,  0, A, reg("34013")},
    {NumeroReducoes,                    "Quelmar_FI_NumeroReducoes",                   "#\x09",       5,  1,  0, false,   4,  0, N, reg("34010")},
    {NumeroIntervencoes,                "Quelmar_FI_NumeroIntervencoes",               "#\x0A",       5,  1,  0, false,   4,  0, A, reg("34011")},
    {NumeroSubstituicoesProprietario,   "Quelmar_FI_NumeroSubstituicoesProprietario",  "#\x0B",       5,  1,  0, false,   4,  0, A, kNone},
    {UltimoItemVendido,                 "Quelmar_FI_UltimoItemVendido",                "#\x0C",       5,  1,  0, false,   4,  0, A, kNone},
    {ClicheProprietario,                "Quelmar_FI_ClicheProprietario",               "#\x0D",     189,  2,  0, false, 186,  0, A, configuration(556, 168)},
    {NumeroCaixa,                       "Quelmar_FI_NumeroCaixa",                      "#\x0E",       5,  1,  0, false,   4,  0, N, reg("34076")},
    {NumeroLoja,                        "Quelmar_FI_NumeroLoja",                       "#\x0F",       5,  1,  0, false,   4,  0, N, reg("34075")},
    {SimboloMoeda,                      "Quelmar_FI_SimboloMoeda",                     "#\x10",       5,  2,  0, false,   2,  0, N, configuration(89, 2)},
    {FlagsFiscais,                      "Quelmar_FI_FlagsFiscais",                     "#\x11",       4,  4,  0, false,   3,  0, A, kOwn},
    {MinutosLigada,                     "Quelmar_FI_MinutosLigada",                    "#\x12",       5,  1,  0, false,   4,  0, A, kNone},
    {MinutosImprimindo,                 "Quelmar_FI_MinutosImprimindo",                "#\x13",       5,  1,  0, false,   4,  0, A, kNone},
    {VerificaModoOperacao,              "Quelmar_FI_VerificaModoOperacao",             "#\x14",       4,  3,  0, false,   2,  0, A, kOwn},
    {VerificaEpromConectada,            "Quelmar_FI_VerificaEpromConectada",           "#\x15",       4,  3,  0, false,   2,  0, A, fixed("1")},
    {ValorPagoUltimoCupom,              "Quelmar_FI_ValorPagoUltimoCupom",             "#\x16",      10,  1,  0, false,  14,  0, A, kNone},
    {DataHoraImpressora,                "Quelmar_FI_DataHoraImpressora",               "#\x17",       9,  1,  0, false,  12,  6, N, kOwn},
    {ContadoresTotalizadoresNaoFiscais, "Quelmar_FI_ContadoresTotalizadoresNaoFiscais","#\x18",     21,  1,  0, false,  36,  0, N, kOwn},
    {VerificaTotalizadoresNaoFiscais,   "Quelmar_FI_VerificaTotalizadoresNaoFiscais",  "#\x19",     174,  2,  0, false, 171,  0, A, kOwn},
    {DataHoraReducao,                   "Quelmar_FI_DataHoraReducao",                  "#\x1A",       9,  1,  0, false,  12,  6, A, kOwn},
    {DataMovimento,                     "Quelmar_FI_DataMovimento",                    "#\x1B",       6,  1,  0, false,   6,  0, N, kOwn},
    {VerificaTruncamento,               "Quelmar_FI_VerificaTruncamento",              "#\x1C",       4,  3,  0, false,   2,  0, N, fixed("0")},
    {VerificaAliquotasIss,              "Quelmar_FI_VerificaAliquotasIss",             "#\x1D",       5,  4,  0, false,  79,  0, A, kOwn},
    {VerificaIndiceAliquotasIss,        "Quelmar_FI_VerificaIndiceAliquotasIss",       "#\x1D",       5,  4,  0, false,  47,  0, N, kOwn},
    {Acrescimos,                        "Quelmar_FI_Acrescimos",                       "#\x1E",      10,  1,  0, false,  14,  0, N, sum("34004,34005")},
    {ContadorBilhetePassagem,           "Quelmar_FI_ContadorBilhetePassagem",          "#\x1F",       6,  1,  0, false,   6,  0, A, kNone},
    {VerificaFormasPagamento,           "Quelmar_FI_VerificaFormasPagamento",          "# ",       1928,  0, 32, false, 3117,  0, A, kOwn},
    {VerificaRecebimentoNaoFiscal,      "Quelmar_FI_VerificaRecebimentoNaoFiscal",     "#!",       1553,  0, 33, false, 2199,  0, A, kOwn},
    {VerificaDepartamentos,             "Quelmar_FI_VerificaDepartamentos",            "#\"",       603,  0, 34, false, 1019,  0, N, kRefusedFirst},
    {VerificaTipoImpressora,            "Quelmar_FI_VerificaTipoImpressora",           "#\xFD",       6,  0, 253, false,  1,  0, A, fixed("1")},
    {VerificaTotalizadoresParciais,     "Quelmar_FI_VerificaTotalizadoresParciais",    "\x1B",      222,  1,  0, false, 445,  0, N, kOwn},
    {RetornoAliquotas,                  "Quelmar_FI_RetornoAliquotas",                 "\x1A",       36,  1,  0, true,   66,  0, A, kOwn},
    {DadosUltimaReducao,                "Quelmar_FI_DadosUltimaReducao",               ">7",        311,  1,  0, false, 631,  0, A, kOwn},
    {MonitoramentoPapel,                "Quelmar_FI_MonitoramentoPapel",               ">6",          5,  4,  0, false,   6,  0, N, kNone},
    {AcionaGaveta,                      "Quelmar_FI_AcionaGaveta",                     "\x16\xF0",    3,  0,  0, false,   0,  0, A, kOwn},
    {VerificaEstadoGaveta,              "Quelmar_FI_VerificaEstadoGaveta",             "\x17",        4,  4,  0, false,   1,  0, A, kOwn},
    {VerificaStatusCheque,              "Quelmar_FI_VerificaStatusCheque",             ">0",          4,  4,  0, false,   1,  0, A, kNone},
    {ValorFormaPagamento,               "Quelmar_FI_ValorFormaPagamento",              "",            0,  0,  0, false,  14,  0, A, kOwn},
    {ValorTotalizadorNaoFiscal,         "Quelmar_FI_ValorTotalizadorNaoFiscal",        "",            0,  0,  0, false,  14,  0, A, kOwn},
    // The electronic-journal printers' queries (their separator only when not nested).
    {NumeroSerieMFD,                     "Quelmar_FI_NumeroSerieMFD",                   "#(",         23,  2,  0, false,   20,  0, N, kNone},
    {VersaoFirmwareMFD,                  "Quelmar_FI_VersaoFirmwareMFD",                "#)",          6,  1,  0, false,    6,  0, N, kNone},
    {CNPJMFD,                            "Quelmar_FI_CNPJMFD",                          "#*",         23,  2,  0, false,   20,  0, N, kNone},
    {InscricaoEstadualMFD,               "Quelmar_FI_InscricaoEstadualMFD",             "#+",         23,  2,  0, false,   20,  0, N, kNone},
    {InscricaoMunicipalMFD,              "Quelmar_FI_InscricaoMunicipalMFD",            "#,",         23,  2,  0, false,   20,  0, N, kNone},
    {TempoOperacionalMFD,                "Quelmar_FI_TempoOperacionalMFD",              "#-",          5,  1,  0, false,    4,  0, N, kNone},
    {MinutosEmitindoDocumentosFiscaisMFD, "Quelmar_FI_MinutosEmitindoDocumentosFiscaisMFD", "#.",          5,  1,  0, false,    4,  0, N, kNone},
    {ContadorComprovantesCreditoMFD,     "Quelmar_FI_ContadorComprovantesCreditoMFD",   "#4",          5,  1,  0, false,    4,  0, N, kNone},
    {ContadorOperacoesNaoFiscaisCanceladasMFD, "Quelmar_FI_ContadorOperacoesNaoFiscaisCanceladasMFD", "#5",          5,  1,  0, false,    4,  0, N, kNone},
    {ContadorRelatoriosGerenciaisMFD,    "Quelmar_FI_ContadorRelatoriosGerenciaisMFD",  "#6",          6,  1,  0, false,    6,  0, N, kNone},
    {ContadorCupomFiscalMFD,             "Quelmar_FI_ContadorCupomFiscalMFD",           "#7",          6,  1,  0, false,    6,  0, N, kNone},
    {ContadorFitaDetalheMFD,             "Quelmar_FI_ContadorFitaDetalheMFD",           "#8",          6,  1,  0, false,    6,  0, N, kNone},
    {ComprovantesNaoFiscaisNaoEmitidosMFD, "Quelmar_FI_ComprovantesNaoFiscaisNaoEmitidosMFD", "#9",          5,  1,  0, false,    4,  0, N, kNone},
    {NumeroSerieMemoriaMFD,              "Quelmar_FI_NumeroSerieMemoriaMFD",            "#:",         23,  2,  0, false,   20,  0, N, kNone},
    {ReducoesRestantesMFD,               "Quelmar_FI_ReducoesRestantesMFD",             "#;",          5,  1,  0, false,    4,  0, N, kNone},
    {PercentualLivreMFD,                 "Quelmar_FI_PercentualLivreMFD",               "#=",          9,  2,  0, false,    6,  0, N, kNone},
    {TamanhoTotalMFD,                    "Quelmar_FI_TamanhoTotalMFD",                  "#>",         13,  2,  0, false,   10,  0, N, kNone},
    {TotalLivreMFD,                      "Quelmar_FI_TotalLivreMFD",                    "#?",         13,  2,  0, false,   10,  0, N, kNone},
    {DataHoraUltimoDocumentoMFD,         "Quelmar_FI_DataHoraUltimoDocumentoMFD",       "#@",          9,  1,  0, false,   12,  0, N, kNone},
    {StatusEstendidoMFD,                 "Quelmar_FI_StatusEstendidoMFD",               "#A",          4,  4,  0, false,    3,  0, N, kNone},
    {DataMovimentoUltimaReducaoMFD,      "Quelmar_FI_DataMovimentoUltimaReducaoMFD",    "#C",          6,  1,  0, false,    6,  0, N, kNone},
    {GrandeTotalUltimaReducaoMFD,        "Quelmar_FI_GrandeTotalUltimaReducaoMFD",      "#D",         12,  1,  0, false,   18,  0, N, kNone},
    {UFProprietarioMFD,                  "Quelmar_FI_UFProprietarioMFD",                "#F",          5,  2,  0, false,    2,  0, N, kNone},
    {TempoRestanteComprovanteMFD,        "Quelmar_FI_TempoRestanteComprovanteMFD",      "#G",          5,  1,  0, false,    4,  0, N, kNone},
    {InicioFimCOOsMFD,                   "Quelmar_FI_InicioFimCOOsMFD",                 "#H",          9,  1,  0, false,   12,  6, N, kNone},
    {InicioFimGTsMFD,                    "Quelmar_FI_InicioFimGTsMFD",                  "#I",         21,  1,  0, false,   36, 18, N, kNone},
    {VerificaFlagCorteMFD,               "Quelmar_FI_VerificaFlagCorteMFD",             "#J",          4,  2,  0, false,    1,  0, N, kNone},
    {ContadoresTotalizadoresNaoFiscaisMFD, "Quelmar_FI_ContadoresTotalizadoresNaoFiscaisMFD", "#/",         63,  1,  0, false,  149,  0, N, kNone},
    {VerificaTotalizadoresNaoFiscaisMFD, "Quelmar_FI_VerificaTotalizadoresNaoFiscaisMFD", "#0",        573,  2,  0, false,  599,  0, N, kNone},
    {VerificaFormasPagamentoMFD,         "Quelmar_FI_VerificaFormasPagamentoMFD",       "#1",        623,  0, 49, false,  919,  0, N, kNone},
    {VerificaRecebimentoNaoFiscalMFD,    "Quelmar_FI_VerificaRecebimentoNaoFiscalMFD",  "#2",        783,  0, 50, false, 1019,  0, N, kNone},
    {VerificaRelatorioGerencialMFD,      "Quelmar_FI_VerificaRelatorioGerencialMFD",    "#3",        573,  0, 51, false,  659,  0, N, kNone},
    {MarcaModeloTipoImpressoraMFD,       "Quelmar_FI_MarcaModeloTipoImpressoraMFD",     "#<",         45,  2,  0, false,   42,  0, N, kNone},
    {VerificaTotalizadoresParciaisMFD,   "Quelmar_FI_VerificaTotalizadoresParciaisMFD", "W",         439,  1,  0, false,  889,  0, N, kNone},
    {DadosUltimaReducaoMFD,              "Quelmar_FI_DadosUltimaReducaoMFD",            "X",         624,  1,  0, false, 1278,  0, N, kNone},
    {LeituraChequeMFD,                   "Quelmar_FI_LeituraChequeMFD",                 "L",          42,  2, 76, false,   36,  0, N, kNone},
    // Internal: not exported, so no request record.
    {VendaBruta,                        "Quelmar_FI_VendaBruta",                       "",            0,  0,  0, false,  18,  0, N, reg("34003")},
};
// clang-format on

// The Yanco printer keeps the gross sales in a register of its own.
constexpr protocol::ExportRow kGrossSalesRow{
    "Quelmar_FI_VendaBruta", 0, {protocol::YancoWay::Commands, {}}};

// Every member but the gross sales is an export: its record and route are in the export table.
constexpr bool exported() {
    for (const QueryMember& m : kMembers)
        if (m.id != VendaBruta &&
            protocol::exportRowIndex(m.name) == std::size(protocol::kExportRows))
            return false;
    return true;
}
static_assert(exported(), "a query member missing from the export table");

// The rows are looked up by position: keep them in the order of the enumeration.
constexpr bool inEnumOrder() {
    for (std::size_t i = 0; i < std::size(kMembers); ++i)
        if (static_cast<std::size_t>(kMembers[i].id) != i) return false;
    return true;
}
static_assert(inEnumOrder(), "query rows out of order");
static_assert(std::size(kMembers) == static_cast<std::size_t>(VendaBruta) + 1, "query row missing");

}  // namespace

const QueryMember& member(Query id) {
    return kMembers[static_cast<std::size_t>(id)];
}

const QueryMember* findMember(std::string_view name) {
    for (const QueryMember& m : kMembers)
        if (m.name == name) return &m;
    return nullptr;
}

const protocol::ExportRow& exportRowOf(const QueryMember& member) {
    const protocol::ExportRow* row = protocol::findExportRow(member.name);
    return row ? *row : kGrossSalesRow;
}

const QueryMember* membersBegin() {
    return std::begin(kMembers);
}
const QueryMember* membersEnd() {
    return std::end(kMembers);
}

}  // namespace quelfi::fiscal
