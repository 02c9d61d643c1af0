// Every export the Yanco printer takes in its own way, each against a fresh virtual Yanco printer:
// the Yanco commands it puts on the wire and what it answers, the answer it makes on the PC with
// no frame at all, or its -30 line and nothing on the wire.
#include <string>
#include <vector>

#include "core/printer_state.h"
#include "yanco_fixture.h"

namespace quelfi::test {
namespace {

struct Route {
    std::string name;
    std::vector<std::string> arguments;
    std::vector<std::string> wire;  // the command texts, in order
    int result;
    std::vector<std::string> answers;  // the answers, in parameter order (when checked)
};

const std::string k13 = std::string(13, ' ');

std::vector<std::string> registers(int first, int last) {
    std::vector<std::string> out;
    for (int n = first; n <= last; ++n)
        out.push_back("34" + std::string(n < 10 ? "00" : "0") + std::to_string(n));
    return out;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class YancoRoutingTest : public YancoTest {};

TEST_F(YancoRoutingTest, EachExportTakesItsRoute) {
    const std::string seed =
        "coo=123; crz=4; cro=2; cancelled=3; gt=1500.00; gt.opening=1000.00; store=7; register=9;"
        "icms.discounts=1.50; iss.discounts=0.25; icms.surcharges=2.00; iss.surcharges=0.10;"
        "cancellations=4.00; sales.1=400.00; sales.14=60.00; payment.1.total=300.00;"
        "totalizer.2.count=1; totalizer.2.total=20.00; header=LOJA DO JOAO; drawer=1";
    const std::string parciais = "00000000040000" + std::string(12 * 14 + 3 * 14, '0') +
                                 ",00000000006000," + std::string(14, '0') + "," +
                                 std::string(14, '0') + "," + std::string(14, '0') +
                                 "00000000002000" + std::string(7 * 14, '0') + ",00000000002000," +
                                 std::string(14, '0') + ",000000000000150000";
    // clang-format off
    const std::vector<Route> routes = {
        // The day and its documents.
        {"Quelmar_FI_LeituraX", {}, {"241" + k13}, 1, {}},
        {"Quelmar_FI_AberturaDoDia", {"50,00", "Dinheiro"}, {"121" + k13, "2903010000000050000" + k13}, 1, {}},
        {"Quelmar_FI_LeituraMemoriaFiscalData", {"01/12/2026", "06/12/2026"}, {"25", "28011226061226000000000"}, 1, {}},
        {"Quelmar_FI_LeituraMemoriaFiscalReducao", {"1", "25"}, {"25", "28000000000000000100251"}, 1, {}},
        {"Quelmar_FI_SubTotal", {}, {"34072"}, 1, {"00000000000000"}},
        {"Quelmar_FI_RelatorioGerencial", {"AB"}, {"240" + k13, "2A0AB" + std::string(40, ' ')}, 1, {}},
        {"Quelmar_FI_FechaRelatorioGerencial", {}, {"2C"}, 1, {}},
        {"Quelmar_FI_RecebimentoNaoFiscal", {"1", "12,34", "Dinheiro"}, {"2901010000000012340" + k13}, 1, {}},
        {"Quelmar_FI_Sangria", {"100,00"}, {"2902010000000100000" + k13}, 1, {}},
        {"Quelmar_FI_Suprimento", {"50,00", ""}, {"2903010000000050000" + k13}, 1, {}},
        {"Quelmar_FI_AbreComprovanteNaoFiscalVinculado", {"Cartao", "", ""}, {"131"}, 1, {}},
        {"Quelmar_FI_UsaComprovanteNaoFiscalVinculado", {"X"}, {"2B0X" + std::string(41, ' ')}, 1, {}},
        {"Quelmar_FI_FechaComprovanteNaoFiscalVinculado", {}, {"160" + std::string(168, ' ')}, 1, {}},
        {"Quelmar_FI_FechaRelatorioXouZ", {}, {"2C"}, 1, {}},
        {"Quelmar_FI_AbreCupom", {""}, {"34077", "2E", "34003", "130"}, 1, {}},
        {"Quelmar_FI_Autenticacao", {}, {"30" + std::string(80, ' ')}, 1, {}},
        {"Quelmar_FI_NomeiaTotalizadorNaoSujeitoIcms", {"5", cp1252("CONVÊNIO")}, {"105CONVENIO" + std::string(7, ' ')}, 1, {}},
        {"Quelmar_FI_ProgramaHorarioVerao", {}, {"2E", "081"}, 1, {}},
        // Status and presence.
        {"Quelmar_FI_VerificaImpressoraLigada", {}, {"25"}, 1, {}},
        {"Quelmar_FI_VerificaEstadoImpressora", {}, {"25"}, 1, {"6", "0", "0"}},
        {"Quelmar_FI_VerificaEstadoImpressoraMFD", {}, {"25"}, 1, {"6", "0", "0", "0"}},
        {"Quelmar_FI_RetornoImpressora", {}, {}, 1, {"0", "0", "0"}},
        {"Quelmar_FI_ComandoDriverRede", {"34077\x17" "1"}, {"34077"}, 1, {}},
        // The query family.
        {"Quelmar_FI_NumeroCupom", {}, {"34077"}, 1, {"000123"}},
        {"Quelmar_FI_NumeroSerie", {}, {"34079"}, 1, {"YC00000001     "}},
        {"Quelmar_FI_VersaoFirmware", {}, {"2E"}, 1, {"01"}},
        {"Quelmar_FI_CGC_IE", {}, {"34073", "34074"}, 1, {"11.222.333/0001-81", "111.222.333.444"}},
        {"Quelmar_FI_GrandeTotal", {}, {"34001"}, 1, {"000000000000150000"}},
        {"Quelmar_FI_Cancelamentos", {}, {"34008"}, 1, {"00000000000400"}},
        {"Quelmar_FI_Descontos", {}, {"34006", "34007"}, 1, {"00000000000175"}},
        {"Quelmar_FI_Acrescimos", {}, {"34004", "34005"}, 1, {"00000000000210"}},
        {"Quelmar_FI_NumeroCuponsCancelados", {}, {"34013"}, 1, {"0003"}},
        {"Quelmar_FI_NumeroReducoes", {}, {"34010"}, 1, {"0004"}},
        {"Quelmar_FI_NumeroIntervencoes", {}, {"34011"}, 1, {"0002"}},
        {"Quelmar_FI_NumeroCaixa", {}, {"34076"}, 1, {"0009"}},
        {"Quelmar_FI_NumeroLoja", {}, {"34075"}, 1, {"0007"}},
        {"Quelmar_FI_ClicheProprietario", {}, {"2E"}, 1, {"LOJA DO JOAO" + std::string(186 - 12, ' ')}},
        {"Quelmar_FI_SimboloMoeda", {}, {"2E"}, 1, {"R$"}},
        {"Quelmar_FI_FlagsFiscais", {}, {"25", "34071"}, 1, {"0"}},
        {"Quelmar_FI_VerificaModoOperacao", {}, {"25"}, 1, {"1"}},
        {"Quelmar_FI_DataHoraImpressora", {}, {"34071", "34070"}, 1, {"061226", "100000"}},
        {"Quelmar_FI_ContadoresTotalizadoresNaoFiscais", {}, registers(80, 88), 1, {"0000" "0001" + std::string(7 * 4, '0')}},
        {"Quelmar_FI_DataMovimento", {}, {"25"}, 1, {"061226"}},
        {"Quelmar_FI_VerificaAliquotasIss", {}, {"2E", "2E"}, 1, {"0500"}},
        {"Quelmar_FI_VerificaIndiceAliquotasIss", {}, {"2E"}, 1, {"04"}},
        {"Quelmar_FI_VerificaFormasPagamento", {}, {"2E", "34040", "34041", "34042"}, 1, {}},
        {"Quelmar_FI_VerificaRecebimentoNaoFiscal", {}, {"34080", "34030", "34081", "34031", "34082", "34032", "34083", "34033", "34084", "34034", "34085", "34035", "34086", "34036", "34087", "34037", "34088", "34038"}, 1, {}},
        {"Quelmar_FI_VerificaTotalizadoresParciais", {}, registers(14, 29) + registers(30, 38) + std::vector<std::string>{"34031", "34001"}, 1, {parciais}},
        {"Quelmar_FI_RetornoAliquotas", {}, {"2E"}, 1, {"04180012000700" "0500" + std::string(12 * 4, '0')}},
        {"Quelmar_FI_AcionaGaveta", {}, {"26"}, 1, {}},
        {"Quelmar_FI_VerificaEstadoGaveta", {}, {"25"}, 1, {"1"}},
        {"Quelmar_FI_ValorFormaPagamento", {"dinheiro"}, {"2E", "34040"}, 1, {"00000000030000"}},
        {"Quelmar_FI_ValorFormaPagamento", {"Vale"}, {"2E"}, -24, {""}},
        {"Quelmar_FI_ValorTotalizadorNaoFiscal", {"Sangria"}, {"34031"}, 1, {"00000000002000"}},
        // Answered on the PC.
        {"Quelmar_FI_VerificaEpromConectada", {}, {}, 1, {"1"}},
        {"Quelmar_FI_VerificaTruncamento", {}, {}, 1, {"0"}},
        {"Quelmar_FI_VerificaTipoImpressora", {}, {}, 1, {"1"}},
        {"Quelmar_FI_VerificaTotalizadoresNaoFiscais", {}, {}, 1, {"GAVETA             SANGRIA            RECEBIMENTO        CONTRA-VALE        " + std::string(5 * 19, ' ')}},
        {"Quelmar_FI_DataHoraReducao", {}, {}, 1, {"      ", "      "}},
        {"Quelmar_FI_ProgramaMoedaSingular", {"Real"}, {}, 1, {}},
    };
    // clang-format on
    for (const Route& r : routes) {
        SCOPED_TRACE(r.name);
        core::resetState();
        start(seed);
        configure();
        const tool::CallOutcome outcome = call(r.name, r.arguments);
        ASSERT_TRUE(outcome.called) << outcome.refusal;
        EXPECT_EQ(outcome.code, r.result);
        EXPECT_EQ(commands(), r.wire);
        for (std::size_t k = 0; k < r.answers.size(); ++k)
            EXPECT_EQ(outcome.answers.at(k).text, r.answers[k]) << k;
    }

    // What the printer lacks is refused before anything reaches the port, also with arguments
    // that would not pass the checks.
    struct Refused {
        std::string name;
        std::vector<std::string> arguments;
        std::string lineName;
    };
    const std::vector<Refused> refused = {
        {"Quelmar_FI_NumeroOperacoesNaoFiscais", {}, ""},
        {"Quelmar_FI_NumeroSubstituicoesProprietario", {}, ""},
        {"Quelmar_FI_UltimoItemVendido", {}, ""},
        {"Quelmar_FI_MinutosLigada", {}, ""},
        {"Quelmar_FI_MinutosImprimindo", {}, ""},
        {"Quelmar_FI_ValorPagoUltimoCupom", {}, ""},
        {"Quelmar_FI_VerificaDepartamentos", {}, ""},
        {"Quelmar_FI_VerificaStatusCheque", {}, ""},
        {"Quelmar_FI_MonitoramentoPapel", {}, ""},
        {"Quelmar_FI_VendeItemDepartamento", {"", "", "", "", "", "", "", "", ""}, ""},
        {"Quelmar_FI_AumentaDescricaoItem", {""}, ""},
        {"Quelmar_FI_UsaUnidadeMedida", {""}, ""},
        {"Quelmar_FI_EfetuaFormaPagamentoDescricaoForma",
         {"", "", ""},
         "Quelmar_FI_EfetuaFormaPagamento"},
        {"Quelmar_FI_EstornoFormasPagamento", {"", "", ""}, ""},
        {"Quelmar_FI_CancelaImpressaoCheque", {}, ""},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(r.name);
        core::resetState();
        start(seed);
        configure();
        EXPECT_EQ(call(r.name, r.arguments).code, -30);
        EXPECT_TRUE(commands().empty());
        EXPECT_EQ(workLog(),
                  logLines({kSep, r.name + " ",
                            "Retorno " + (r.lineName.empty() ? r.name : r.lineName) + kRefusal}));
    }
}

}  // namespace
}  // namespace quelfi::test
