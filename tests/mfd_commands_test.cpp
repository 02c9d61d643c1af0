// The journal printer's document exports on a scripted line: the bytes each sends, the lines of
// each refusal, the requests they leave in client mode, and their faults mended.
#include <chrono>
#include <filesystem>
#include <functional>

#include "protocol_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

using core::state;

const std::string kOk = bytes({6, 0, 0, 0, 0});
const std::string kFs = "\x1C";

std::string blanks(std::size_t n) {
    return std::string(n, ' ');
}

class MfdCommandsTest : public ProtocolTest {
  protected:
    void SetUp() override {
        ProtocolTest::SetUp();
        configure("[MFD]\nImpressora=1\n");
        state().mfdPrinter = true;
    }
    // The log's last line, without its end.
    std::string lastLogLine() {
        const std::string log = workLog();
        const std::size_t end = log.size() >= 3 ? log.size() - 3 : 0;
        const std::size_t start = log.rfind("\r\r\n", end == 0 ? 0 : end - 1);
        return log.substr(start == std::string::npos ? 0 : start + 3,
                          end - (start == std::string::npos ? 0 : start + 3));
    }
};

TEST_F(MfdCommandsTest, EachDocumentSendsItsFields) {
    const std::string money14 = "00000000001000";
    struct Case {
        std::function<int()> call;
        std::vector<std::string> sent;
        std::string reply = bytes({6, 0, 0, 0, 0});
    };
    const std::vector<Case> cases = {
        {[] { return Quelmar_FI_CancelaCupomMFD("123", nullptr, nullptr); },
         {kFs + "\x0E" + "123" + blanks(26)}},
        {[] { return Quelmar_FI_ProgramaFormaPagamentoMFD(cp1252("Cartão").c_str(), "1"); },
         {kFs + "GCart\xC6o" + blanks(10) + "1"},
         bytes({6, '0', '3', 0, 0, 0, 0})},
        {[] { return Quelmar_FI_IniciaFechamentoCupomMFD("x", "$", "100", "50"); },
         {kFs + " x00000000000100" + "00000000000050"}},
        {[] { return Quelmar_FI_IniciaFechamentoCupomMFD("a", "%", "10,00", "0"); },
         {kFs + " A1000"}},
        {[] { return Quelmar_FI_IniciaFechamentoRecebimentoNaoFiscalMFD("d", "$", "0", "1,50"); },
         {kFs + "Od00000000000150"}},
        {[] { return Quelmar_FI_CupomAdicionalMFD(); }, {kFs + "U"}},
        {[] { return Quelmar_FI_AcrescimoDescontoItemMFD("1", "d", "%", "10,00"); },
         {kFs + "]D0011000"}},
        {[] { return Quelmar_FI_AcrescimoDescontoItemMFD("12", "a", "$", "2,00"); },
         {kFs + "]A01200000200"}},
        {[] { return Quelmar_FI_NomeiaRelatorioGerencialMFD("2", "Vendas"); },
         {kFs + "R02Vendas" + blanks(11)}},
        {[] { return Quelmar_FI_AutenticacaoMFD("", ""); }, {kFs + "\x10"}},
        {[] { return Quelmar_FI_AutenticacaoMFD(nullptr, "OK"); },
         {kFs + "\x10" + "01OK" + blanks(46)}},
        {[] {
             return Quelmar_FI_AbreComprovanteNaoFiscalVinculadoMFD("Cartao", "", nullptr, "1",
                                                                    nullptr, nullptr);
         },
         {kFs + "BCartao" + blanks(10)}},
        {[] {
             return Quelmar_FI_AbreComprovanteNaoFiscalVinculadoMFD("Cartao", "10,00", "123",
                                                                    nullptr, "MARIA", nullptr);
         },
         {kFs + "BCartao" + blanks(10) + money14 + "000123" + blanks(29) + "MARIA" + blanks(25)}},
        {[] { return Quelmar_FI_ReimpressaoNaoFiscalVinculadoMFD(); }, {kFs + "\\"}},
        {[] { return Quelmar_FI_AbreRecebimentoNaoFiscalMFD(nullptr, nullptr, "RUA A"); },
         {kFs + "M" + blanks(59) + "RUA A" + blanks(75)}},
        {[] { return Quelmar_FI_EfetuaRecebimentoNaoFiscalMFD("1", "10,00"); },
         {kFs + "N01" + money14}},
        {[] { return Quelmar_FI_CancelaRecebimentoNaoFiscalMFD(nullptr, "", nullptr); },
         {kFs + "Q"}},
        {[] { return Quelmar_FI_AbreRelatorioGerencialMFD("1"); }, {kFs + "S01"}},
        {[] { return Quelmar_FI_SegundaViaNaoFiscalVinculadoMFD(); }, {kFs + "["}},
        {[] { return Quelmar_FI_EstornoNaoFiscalVinculadoMFD("9", nullptr, nullptr); },
         {kFs + "f9" + blanks(28)}},
        {[] { return Quelmar_FI_CancelaItemNaoFiscalMFD("2"); }, {kFs + "t0002"}},
        {[] { return Quelmar_FI_AcrescimoItemNaoFiscalMFD("1", "a", "%", "5"); },
         {kFs + "uA0010005"}},
        {[] { return Quelmar_FI_CancelaAcrescimoNaoFiscalMFD("1", "d"); }, {kFs + "vD001"}},
        {[] { return Quelmar_FI_ImprimeClicheMFD(); }, {kFs + "w"}},
        {[] { return Quelmar_FI_CancelaAcrescimoDescontoItemMFD("d", "1"); }, {kFs + "rd001"}},
        {[] { return Quelmar_FI_SubTotalizaCupomMFD(); }, {kFs + "g"}},
        {[] { return Quelmar_FI_TotalizaCupomMFD(); }, {kFs + "j"}},
        {[] { return Quelmar_FI_SubTotalizaRecebimentoMFD(); }, {kFs + "k"}},
        {[] { return Quelmar_FI_TotalizaRecebimentoMFD(); }, {kFs + "n"}},
        {[] { return Quelmar_FI_AcrescimoDescontoSubtotalMFD("d", "%", "5"); }, {kFs + "hD0005"}},
        {[] { return Quelmar_FI_AcrescimoDescontoSubtotalMFD("a", "$", "1,00"); },
         {kFs + "ha00000000000100"}},
        {[] { return Quelmar_FI_CancelaAcrescimoDescontoSubtotalMFD("d"); }, {kFs + "id"}},
        {[] { return Quelmar_FI_AcrDescSubRecMFD("D", "$", "40"); }, {kFs + "ld00000000000040"}},
        {[] { return Quelmar_FI_CancAcrDescSubRecMFD("a"); }, {kFs + "ma"}},
        // The form's index first, then the payment; "1" instalment is sent as "01".
        {[] { return Quelmar_FI_EfetuaFormaPagamentoMFD("Dinheiro", "10,00", "1", nullptr); },
         {kFs + "GDinheiro" + blanks(8), kFs + "Z01" + money14 + "01"},
         bytes({6, '0', '1', 0, 0, 0, 0})},
        {[] { return Quelmar_FI_EfetuaFormaPagamentoMFD("Cartao", "10,00", "3", "3X"); },
         {kFs + "GCartao" + blanks(10), kFs + "Z02" + money14 + "03" + "3X" + blanks(78)},
         bytes({6, '0', '2', 0, 0, 0, 0})},
    };
    for (const Case& c : cases) {
        line->reply(c.reply);
        line->reply(kOk);
        EXPECT_EQ(c.call(), 1) << c.sent.back();
        EXPECT_EQ(commands(), c.sent);
        line->replies.clear();
    }
}

TEST_F(MfdCommandsTest, RefusalsLogTheirLineAndSendNothing) {
    const std::string long30(30, '1'), long241(241, 'M'), long10k(10000, 'X');
    struct Case {
        std::function<int()> call;
        std::string line;
    };
    const std::vector<Case> cases = {
        {[&] { return Quelmar_FI_AbreCupomMFD(long30.c_str(), nullptr, nullptr); },
         "Retorno: -2 - Parametro invalido no CPF " + long30},
        {[&] { return Quelmar_FI_CancelaCupomMFD(nullptr, long10k.c_str(), nullptr); },
         "Retorno: -2 - Parametro invalido no nome " + long10k},
        {[] { return Quelmar_FI_ProgramaFormaPagamentoMFD("", "1"); },
         "Retorno: -2 - Parametro invalido na forma de pagamento "},
        {[] { return Quelmar_FI_ProgramaFormaPagamentoMFD("Cartao", "2"); },
         "Retorno: -2 - Parametro invalido na operacao TEF 2"},
        {[] { return Quelmar_FI_IniciaFechamentoCupomMFD("B", "$", "1", "1"); },
         "Retorno: -2 Parametro invalido para o flag de acrescimo/desconto"},
        {[] { return Quelmar_FI_IniciaFechamentoCupomMFD("A", "#", "1", "1"); },
         "Retorno: -2 Parametro invalido para o Tipo de acrescimo/desconto"},
        // The flag A still needs the discount.
        {[] { return Quelmar_FI_IniciaFechamentoCupomMFD("A", "$", "1", ""); },
         "Retorno: -2 Parametro invalido para o valor do desconto"},
        {[] { return Quelmar_FI_IniciaFechamentoRecebimentoNaoFiscalMFD("X", "%", "12345", "0"); },
         "Retorno: -2 - Parametro invalido para o acrescimo"},
        {[] { return Quelmar_FI_EfetuaFormaPagamentoMFD("Dinheiro", "10", "0", nullptr); },
         "Retorno: -2 - Parametro invalido para o numero de parcelas: 0"},
        {[] { return Quelmar_FI_EfetuaFormaPagamentoMFD("Dinheiro", "10", "25", nullptr); },
         "Retorno: -2 - Parametro invalido para o numero de parcelas: 25"},
        {[] { return Quelmar_FI_AcrescimoDescontoItemMFD("0", "A", "$", "1"); },
         "Retorno: -2 Parametro invalido para o item"},
        {[] { return Quelmar_FI_AcrescimoDescontoItemMFD("1", "A", "%", "12345"); },
         "Retorno: -2 - Parametro invalido para o valor do acrescimo/desconto"},
        {[] { return Quelmar_FI_AcrescimoDescontoItemMFD("1", "A", "$", "123456789"); },
         "Retorno: -2 Parametro invalido para o valor do acrescimo/desconto"},
        // Report 01 cannot be named; any of the 30 can be opened.
        {[] { return Quelmar_FI_NomeiaRelatorioGerencialMFD("01", "X"); },
         "Retorno: -2 Parametro invalido para o indice"},
        {[] { return Quelmar_FI_AbreRelatorioGerencialMFD("31"); },
         "Retorno: - 2 - Parametro invalido para o totalizador"},
        {[] { return Quelmar_FI_AutenticacaoMFD("100", "X"); },
         "Retorno: -2 Parametro invalido para o numero de linhas"},
        {[] {
             return Quelmar_FI_AbreComprovanteNaoFiscalVinculadoMFD("Cartao", "1", nullptr, nullptr,
                                                                    nullptr, nullptr);
         },
         "Retorno: -2 - Parametro invalido para o numero do cupom"},
        {[] { return Quelmar_FI_EfetuaRecebimentoNaoFiscalMFD("51", "1"); },
         "Retorno: -2 - Parametro invalido para o indice do totalizador"},
        {[] { return Quelmar_FI_CancelaItemNaoFiscalMFD("1234"); },
         "Retorno Quelmar_FI_CancelaItemNaoFiscalMFD: -2 - Parametro invalido para numero do item "
         "1234"},
        {[] { return Quelmar_FI_AcrescimoItemNaoFiscalMFD("", "A", "$", "1"); },
         "Retorno : -2 - Parametro invalido para numero do item "},
        {[] { return Quelmar_FI_AcrescimoItemNaoFiscalMFD("1", "X", "$", "1"); },
         "Retorno Quelmar_FI_AcrescimoItemNaoFiscalMFD: -2 Parametro invalido para o flag de "
         "acrescimo/desconto"},
        {[] { return Quelmar_FI_CancelaAcrescimoNaoFiscalMFD("1", "x"); },
         "Retorno : -2 Parametro invalido para o flag de acrescimo/desconto"},
        {[] { return Quelmar_FI_ImprimeInformacaoChequeMFD(2, 1, ""); },
         "Retorno : -2 - Parametro invalido para posicao      2"},
        {[] { return Quelmar_FI_ImprimeInformacaoChequeMFD(0, 300, ""); },
         "Retorno : -2 - Parametro invalido para linhas    300"},
        {[&] { return Quelmar_FI_ImprimeInformacaoChequeMFD(0, 1, long241.c_str()); },
         "Retorno : -2 - Parametro invalido mensagem  Tamanho excedido"},
        {[] { return Quelmar_FI_CancelaAcrescimoDescontoItemMFD("", "1"); },
         "Retorno: -2 Parametro invalido para o flag"},
        {[] { return Quelmar_FI_CancelaAcrescimoDescontoItemMFD("A", "1a"); },
         "Retorno: -2 Parametro invalido para o item: 1a"},
        {[] { return Quelmar_FI_AcrescimoDescontoSubtotalMFD("A", "#", "1"); },
         "Retorno: -2 Parametro invalido para o Tipo de acrescimo/desconto: #"},
        {[] { return Quelmar_FI_AcrescimoDescontoSubtotalMFD("A", "%", "12345"); },
         "Retorno: -2 - Parametro invalido para o valor do acrescimo/desconto: 12345"},
        {[] { return Quelmar_FI_AcrDescSubRecMFD("a", "$", "123456789012345"); },
         "Retorno: -2 Parametro invalido para o valor do acrescimo/desconto: 123456789012345"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.call(), -2) << c.line;
        EXPECT_EQ(lastLogLine(), cp1252(c.line));
    }
    EXPECT_EQ(line->written, "");
}

TEST_F(MfdCommandsTest, ClientModeLeavesEachRecordAfterTheChecks) {
    reconfigure("ConfigRede=1\n", "Impressora=1\n");
    const std::string file = workDir() + "/Quelfi32.cmd";
    struct Case {
        std::function<int()> call;
        std::string record;
    };
    const std::vector<Case> cases = {
        // A null field is an empty one, and the three are always there.
        {[] { return Quelmar_FI_AbreCupomMFD(nullptr, "JOSE", nullptr); }, "110||JOSE||"},
        {[] { return Quelmar_FI_AbreRecebimentoNaoFiscalMFD("1", "", "RUA"); }, "111|1||RUA|"},
        {[] { return Quelmar_FI_CancelaCupomMFD(nullptr, nullptr, "R"); }, "115|||R|"},
        {[] { return Quelmar_FI_IniciaFechamentoCupomMFD("x", "$", "100", "50"); },
         "133|x|$|100|50"},
        {[] { return Quelmar_FI_EfetuaFormaPagamentoMFD("Dinheiro", "10,00", "1", nullptr); },
         "127|Dinheiro|10,00|1|"},
        {[] { return Quelmar_FI_ProgramaFormaPagamentoMFD("Cartao", "1"); }, "148|Cartao|1"},
        {[] { return Quelmar_FI_CupomAdicionalMFD(); }, "125|"},
        {[] { return Quelmar_FI_ImprimeInformacaoChequeMFD(1, 3, "X"); }, "207|1|3|X"},
        {[] { return Quelmar_FI_SubTotalComprovanteNaoFiscalMFD(nullptr); }, "245|"},
        {[] {
             return Quelmar_FI_AbreComprovanteNaoFiscalVinculadoMFD("C", "1", "2", nullptr, "N",
                                                                    nullptr);
         },
         "109|C|1|2||N|"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(file);
        EXPECT_EQ(c.call(), 1) << c.record;
        EXPECT_EQ(readFile(file), c.record);
    }
    EXPECT_EQ(lastLogLine(), "Retorno Quelmar_FI_AbreComprovanteNaoFiscalVinculadoMFD: 1");
    // Nothing is left for the driver after a refusal.
    std::filesystem::remove(file);
    EXPECT_EQ(Quelmar_FI_AbreCupomMFD(std::string(30, '1').c_str(), nullptr, nullptr), -2);
    EXPECT_FALSE(fileExists(file));
    EXPECT_EQ(line->written, "");
}

TEST_F(MfdCommandsTest, CouponOpeningHasItsFixedLengthAndKeepsTheDaysCoupons) {
    state().type60StartRecorded = true;  // the day's first coupon is recorded: only the COO is read
    const std::string coo = bytes({6, 0x00, 0x12, 0x34, 0, 0, 0, 0});
    line->reply(coo);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_AbreCupomMFD(nullptr, "JOSE", nullptr), 1);
    // The name alone: the CPF field blank, the address zero bytes up to 141.
    std::string opening = kFs + std::string(1, '\0') + blanks(29) + "JOSE" + blanks(26);
    opening.resize(141, '\0');
    EXPECT_EQ(commands(), (std::vector<std::string>{kFs + "\x1E", opening}));
    EXPECT_TRUE(state().couponOpen);
    EXPECT_EQ(readFile(systemDir() + "/QuelFI32.ini").find("COOFinal=001235") != std::string::npos,
              true);

    line->reply(coo);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_AbreCupomMFD(nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(commands().back(), kFs + std::string(140, '\0'));

    // The older printers take the CPF field alone.
    reconfigure("", "Impressora=0\n");
    state().mfdPrinter = true;
    line->reply(coo);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_AbreCupomMFD("1", nullptr, nullptr), 1);
    EXPECT_EQ(commands().back(), kFs + std::string(1, '\0') + "1" + blanks(28));
}

TEST_F(MfdCommandsTest, MendedFaults) {
    // A refused cancellation is not reported as done.
    state().couponOpen = true;
    line->reply(bytes({6, 0, 5, 0, 0}));
    EXPECT_EQ(Quelmar_FI_CancelaCupomMFD(nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(lastLogLine(), "Retorno: 1");
    EXPECT_TRUE(state().couponOpen);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_CancelaCupomMFD(nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(lastLogLine(), "Retorno: 1 - Ok ");
    EXPECT_FALSE(state().couponOpen);
    commands();

    // The cheque's text goes in the journal's framing whatever the setting, and the setting stays.
    state().mfdPrinter = false;
    struct Cheque {
        std::string reply;
        int result;
    };
    for (const Cheque& c :
         {Cheque{bytes({6, 0, 1, 189, 0}), -31}, Cheque{bytes({6, 0, 1, 130, 0}), -32},
          Cheque{bytes({6, 0, 1, 127, 0}), -32}, Cheque{kOk, 1}}) {
        line->reply(c.reply);
        EXPECT_EQ(Quelmar_FI_ImprimeInformacaoChequeMFD(0, 3, "PAGO"), c.result);
        EXPECT_EQ(lastLogLine(),
                  "Retorno Quelmar_FI_ImprimeInformacaoChequeMFD: " + std::to_string(c.result));
        EXPECT_FALSE(state().mfdPrinter);
    }
    EXPECT_EQ(commands().back(), kFs + "x" + bytes({0, 3}) + "PAGO");
    state().mfdPrinter = true;

    // A printer status that is not clean, under StatusFuncao.
    reconfigure("StatusFuncao=1\n", "Impressora=1\n");
    line->reply(bytes({6, 0, 1, 0, 0}));
    EXPECT_EQ(Quelmar_FI_SubTotalizaCupomMFD(), -27);
    EXPECT_EQ(lastLogLine(), "Retorno: -27");
}

TEST_F(MfdCommandsTest, FastModeAndTheTransportLimits) {
    // Above 1: a silent printer is given up in a few seconds, not twelve.
    EXPECT_EQ(Quelmar_FI_SetaMFD(2), 1);
    const std::uint64_t before = platform.slept();
    EXPECT_EQ(Quelmar_FI_SubTotalizaCupomMFD(), 0);
    EXPECT_LT(platform.slept() - before, 3000u);
    EXPECT_EQ(lastLogLine(), "Retorno: 0 - Erro de comunicacao");
    EXPECT_EQ(Quelmar_FI_SetaMFD(-1), 0);
    EXPECT_EQ(state().writeAttempts, 3);
    EXPECT_EQ(state().replyAttempts, 20);
    EXPECT_EQ(state().statusTimeout, 200);
    EXPECT_FALSE(state().fastSaleMode);

    // 1: the item sale trusts its fields and asks nothing first.
    EXPECT_EQ(Quelmar_FI_SetaMFD(1), 0);
    state().couponOpen = true;
    commands();
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_VendeItem("1", "ARROZ", "01", "I", "0001", 2, "00000100", "$", "00000000"),
              1);
    EXPECT_EQ(commands().size(), 1u);
}

TEST_F(MfdCommandsTest, OlderPrintersRunTheOlderExportsNested) {
    // Type 0: each export hands its call to the older one, whose lines follow its name; those
    // that always write their separator write it nested too.
    reconfigure("", "Impressora=0\n");
    line->reply(bytes({6, '0', '2', 0, 0, 0, 0}));
    for (int i = 0; i < 3; ++i) line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamentoMFD("Cartao", "10,00", "3", "TEXTO"), 1);
    EXPECT_EQ(Quelmar_FI_CancelaCupomMFD("1", nullptr, nullptr), 1);
    EXPECT_EQ(Quelmar_FI_AbreComprovanteNaoFiscalVinculadoMFD("Cartao", "", "", "1", "", ""), 1);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_AutenticacaoMFD("1", "X"), 1);
    const std::string separator(71, '-');
    EXPECT_EQ(workLog(), logLines({separator + " ",
                                   "Quelmar_FI_EfetuaFormaPagamentoMFD ",
                                   "Quelmar_FI_EfetuaFormaPagamentoDescricaoForma ",
                                   "Parâmetros: Cartao|10,00|TEXTO",
                                   "Quelmar_FI_ObtemIndiceFormaPagamento ",
                                   "Parâmetro: Cartao",
                                   "Quelmar_FI_AbrePortaSerial ",
                                   "Parâmetro: COM1",
                                   "Retorno Quelmar_FI_AbrePortaSerial: 1",
                                   "Retorno Quelmar_FI_ObtemIndiceFormaPagamento: 1 - Ok",
                                   "Retorno Quelmar_FI_EfetuaFormaPagamento: 1",
                                   separator + " ",
                                   "Quelmar_FI_CancelaCupomMFD ",
                                   separator + " ",
                                   "Quelmar_FI_CancelaCupom ",
                                   "Retorno Quelmar_FI_CancelaCupom: 1 - Ok",
                                   separator + " ",
                                   "Quelmar_FI_AbreComprovanteNaoFiscalVinculadoMFD ",
                                   separator + " ",
                                   "Quelmar_FI_AbreComprovanteNaoFiscalVinculado ",
                                   "Parâmetros: Cartao|",
                                   "Retorno Quelmar_FI_AbreComprovanteNaoFiscalVinculado: 1",
                                   separator + " ",
                                   "Quelmar_FI_AutenticacaoMFD ",
                                   separator + " ",
                                   "Quelmar_FI_Autenticacao ",
                                   "Retorno Quelmar_FI_Autenticacao: 1"}));
    EXPECT_EQ(commands(),
              (std::vector<std::string>{kFs + "GCartao" + blanks(10), "\x1BH0200000000001000TEXTO",
                                        kFs + "\x0E", kFs + "BCartao" + blanks(10), kFs + "\x10"}));
}

}  // namespace
}  // namespace quelfi::test
