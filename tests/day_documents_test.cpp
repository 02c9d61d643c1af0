// The non-fiscal documents as the library sends them: management report and bound receipt texts,
// their closings, the non-fiscal receipt with its payment-form question, and the cash movements.
#include "day_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

using core::state;

class DayDocumentsTest : public DayCommandTest {};

TEST_F(DayDocumentsTest, DocumentTextTravelsWholeUpTo618Characters) {
    const std::string text618 = std::string(300, 'a') + "\r\n" + std::string(316, 'b');
    ASSERT_EQ(text618.size(), 618u);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_RelatorioGerencial(text618.c_str()), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x14" + text618 + "\r\n"}));
    const std::string text619 = text618 + "c";
    EXPECT_EQ(Quelmar_FI_RelatorioGerencial(text619.c_str()), -2);
    EXPECT_EQ(Quelmar_FI_RelatorioGerencial(""), -2);
    EXPECT_EQ(Quelmar_FI_RelatorioGerencial(nullptr), -2);
    EXPECT_TRUE(commands().empty());
    const std::string refused =
        "Retorno Quelmar_FI_RelatorioGerencial: - 2 - Parametro invalido para o texto";
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_RelatorioGerencial ", "Parâmetro: " + text618,
                                   "Retorno Quelmar_FI_RelatorioGerencial: 1", kSep,
                                   "Quelmar_FI_RelatorioGerencial ", refused, kSep,
                                   "Quelmar_FI_RelatorioGerencial ", refused, kSep,
                                   "Quelmar_FI_RelatorioGerencial ", refused}));

    // The bound receipt's text: the same rules, its own command, letters in code page 850.
    clearLog();
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_UsaComprovanteNaoFiscalVinculado("Cart\xE3o aprovado"), 1);
    EXPECT_EQ(Quelmar_FI_UsaComprovanteNaoFiscalVinculado(text619.c_str()), -2);
    EXPECT_EQ(commands(), (std::vector<std::string>{concat({"\x1B", "CCart\xC6o aprovado\r\n"})}));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_UsaComprovanteNaoFiscalVinculado ",
                        "Parâmetro: Cartão aprovado",
                        "Retorno Quelmar_FI_UsaComprovanteNaoFiscalVinculado: 1", kSep,
                        "Quelmar_FI_UsaComprovanteNaoFiscalVinculado ",
                        "Retorno Quelmar_FI_UsaComprovanteNaoFiscalVinculado: -2 - Parametro "
                        "invalido para o texto "}));
}

TEST_F(DayDocumentsTest, TefVariantsAddTheirOwnClosingLine) {
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_RelatorioGerencialTEF("Via do cliente"), 1);
    EXPECT_EQ(Quelmar_FI_UsaComprovanteNaoFiscalVinculadoTEF(""), -2);
    state().mfdPrinter = true;
    line->reply(bytes({6, 0, 0, 0, 0}));
    EXPECT_EQ(Quelmar_FI_UsaComprovanteNaoFiscalVinculadoTEF("Aprovada"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x14Via do cliente\r\n",
                                                    concat({"\x1C", "CAprovada\r\n"})}));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_RelatorioGerencial ", "Parâmetro: Via do cliente",
                        "Retorno Quelmar_FI_RelatorioGerencial: 1",
                        "Retorno Quelmar_FI_RelatorioGerencialTEF: 1", kSep,
                        "Quelmar_FI_UsaComprovanteNaoFiscalVinculado ",
                        "Retorno Quelmar_FI_UsaComprovanteNaoFiscalVinculado: -2 - Parametro "
                        "invalido para o texto ",
                        "Retorno Quelmar_FI_UsaComprovanteNaoFiscalVinculadoTEF: -2", kSep,
                        "Quelmar_FI_UsaComprovanteNaoFiscalVinculado ", "Parâmetro: Aprovada",
                        "Retorno Quelmar_FI_UsaComprovanteNaoFiscalVinculado: 1",
                        "Retorno Quelmar_FI_UsaComprovanteNaoFiscalVinculadoTEF: 1"}));
}

TEST_F(DayDocumentsTest, BoundReceiptOpensForAFormOrForAnAmountOfACoupon) {
    line->reply(kOk);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_AbreComprovanteNaoFiscalVinculado("Cart\xE3o", nullptr, nullptr), 1);
    EXPECT_EQ(Quelmar_FI_AbreComprovanteNaoFiscalVinculado("Cartao", "R$ 50,00", "123"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{
                              concat({"\x1B", "BCart\xC6o          "}),
                              concat({"\x1B", "BCartao          ", "00000000005000", "000123"})}));
    const std::string prefix =
        "Retorno Quelmar_FI_AbreComprovanteNaoFiscalVinculado: -2 - Parametro invalido para ";
    struct Case {
        const char* form;
        const char* amount;
        const char* coupon;
        std::string line;
    };
    const Case refusals[] = {
        {nullptr, "1", "1", prefix + "forma de pagto"},
        {"12345678901234567", "1", "1", prefix + "forma de pagto"},
        {"Cartao", "", "123", prefix + "o valor"},
        {"Cartao", "1,00", nullptr, prefix + "o numero do cupom"},
        {"Cartao", "123456789012345", "1", prefix + "o valor"},
        {"Cartao", "1,00", "1234567", prefix + "o numero do cupom"},
    };
    for (const Case& c : refusals) {
        clearLog();
        EXPECT_EQ(Quelmar_FI_AbreComprovanteNaoFiscalVinculado(c.form, c.amount, c.coupon), -2);
        EXPECT_EQ(workLog(),
                  logLines({kSep, "Quelmar_FI_AbreComprovanteNaoFiscalVinculado ", c.line}));
    }
    EXPECT_TRUE(commands().empty());

    // A receipt the printer does not acknowledge: the opening's own wording.
    clearLog();
    EXPECT_EQ(Quelmar_FI_AbreComprovanteNaoFiscalVinculado("Cartao", nullptr, ""), 0);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_AbreComprovanteNaoFiscalVinculado ",
                                   "Parâmetros: Cartao|",
                                   "Retorno Quelmar_FI_AbreComprovanteNaoFiscalVinculado: 0 - Erro "
                                   "de execucao"}));
}

TEST_F(DayDocumentsTest, OneCommandClosesTheReportAndTheBoundReceipt) {
    line->reply(kOk);
    line->reply(bytes({6, 0, 1}));
    EXPECT_EQ(Quelmar_FI_FechaRelatorioGerencial(), 1);
    EXPECT_EQ(Quelmar_FI_FechaComprovanteNaoFiscalVinculado(), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x15", "\x1B\x15"}));
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_FechaRelatorioGerencial ",
                                   "Retorno Quelmar_FI_FechaRelatorioGerencial: 1", kSep,
                                   "Quelmar_FI_FechaComprovanteNaoFiscalVinculado ",
                                   "Quelmar_FI_FechaRelatorioGerencial ",
                                   "Retorno Quelmar_FI_FechaRelatorioGerencial: 1",
                                   "Retorno Quelmar_FI_FechaComprovanteNaoFiscalVinculado : 1"}));
    // The closing's failure ends the composite with the closing's result and lines only.
    clearLog();
    EXPECT_EQ(Quelmar_FI_FechaComprovanteNaoFiscalVinculado(), 0);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_FechaComprovanteNaoFiscalVinculado ",
                                   "Quelmar_FI_FechaRelatorioGerencial ",
                                   "Retorno Quelmar_FI_FechaRelatorioGerencial: 0 - Erro de "
                                   "comunicação"}));
}

TEST_F(DayDocumentsTest, ReceiptAsksTheFormsIndexAndSendsTheFormByName) {
    line->reply(bytes({6, '0', '2', 0, 0}));
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_RecebimentoNaoFiscal("7", "R$ 10,00", "Cart\xE3o"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1BGCart\xC6o          ",
                                                    concat({"\x1B\x19", "07", "00000000001000",
                                                            "Cart\xC6o          "})}));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_RecebimentoNaoFiscal ", "Parâmetros: 7|R$ 10,00|Cartão",
                        "Quelmar_FI_ObtemIndiceFormaPagamento ", "Parâmetro: Cartão",
                        "Retorno Quelmar_FI_ObtemIndiceFormaPagamento: 1 - Ok",
                        "Retorno Quelmar_FI_RecebimentoNaoFiscal: 1"}));

    const std::string prefix = "Retorno Quelmar_FI_RecebimentoNaoFiscal: -2 - Parametro invalido ";
    struct Case {
        const char* index;
        const char* amount;
        const char* form;
        std::string line;
    };
    const Case refusals[] = {
        {"0", "1", "Dinheiro", prefix + "para o indice do totalizador"},
        {"51", "1", "Dinheiro", prefix + "para o indice do totalizador"},
        {"007", "1", "Dinheiro", prefix + "para o indice do totalizador"},
        {nullptr, "1", "Dinheiro", prefix + "para o indice do totalizador"},
        {"50", "", "Dinheiro", prefix + "para o valor do recebimento"},
        {"50", "123456789012345", "Dinheiro", prefix + "para o valor do recebimento"},
        {"50", "1", "12345678901234567", prefix + "para a forma de pagto"},
    };
    for (const Case& c : refusals) {
        clearLog();
        EXPECT_EQ(Quelmar_FI_RecebimentoNaoFiscal(c.index, c.amount, c.form), -2) << c.line;
        EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_RecebimentoNaoFiscal ", c.line}));
    }
    // The printer takes the form by name: a receipt without one has nothing to be paid in.
    clearLog();
    EXPECT_EQ(Quelmar_FI_RecebimentoNaoFiscal("1", "1", nullptr), -2);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_RecebimentoNaoFiscal ", "Parâmetros: 1|1|",
                                   prefix + "para a forma de pagto"}));
    EXPECT_TRUE(commands().empty());

    // No room for a new form; an index the printer could not give.
    line->reply(bytes({6, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(Quelmar_FI_RecebimentoNaoFiscal("1", "1", "Vale"), -24);
    line->reply(bytes({6, '0', '0', 0, 0}));
    clearLog();
    EXPECT_EQ(Quelmar_FI_RecebimentoNaoFiscal("1", "1", "Vale"), 0);
    EXPECT_EQ(commands(),
              (std::vector<std::string>{"\x1BGVale            ", "\x1BGVale            "}));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_RecebimentoNaoFiscal ", "Parâmetros: 1|1|Vale",
                        "Quelmar_FI_ObtemIndiceFormaPagamento ", "Parâmetro: Vale",
                        "Retorno Quelmar_FI_ObtemIndiceFormaPagamento: 1 - Ok",
                        "Retorno Quelmar_FI_RecebimentoNaoFiscal: 0 - Erro de comunicacao"}));
}

TEST_F(DayDocumentsTest, CashMovementsOnTheirFixedTotalizers) {
    line->reply(kOk);
    line->reply(kOk);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_Sangria("100,00"), 1);
    EXPECT_EQ(Quelmar_FI_Suprimento("R$ 1.250,50", "Dinheiro"), 1);
    EXPECT_EQ(Quelmar_FI_Suprimento("5", nullptr), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x19SA00000000010000",
                                                    "\x1B\x19SU00000000125050Dinheiro        ",
                                                    "\x1B\x19SU00000000000005"}));
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_Sangria ", "Parâmetro: 100,00", "Retorno Quelmar_FI_Sangria: 1",
                  kSep, "Quelmar_FI_Suprimento ", "Parâmetro: R$ 1.250,50|Dinheiro|",
                  "Retorno Quelmar_FI_Suprimento: 1", kSep, "Quelmar_FI_Suprimento ",
                  "Parâmetro: 5||", "Retorno Quelmar_FI_Suprimento: 1"}));

    clearLog();
    EXPECT_EQ(Quelmar_FI_Sangria(""), -2);
    EXPECT_EQ(Quelmar_FI_Suprimento("123456789012345", nullptr), -2);
    EXPECT_EQ(Quelmar_FI_Suprimento("1", "12345678901234567"), -2);
    // A withdrawal the printer never answers: its own, accented, wording.
    EXPECT_EQ(Quelmar_FI_Sangria("1"), 0);
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_Sangria ",
                  "Retorno Quelmar_FI_Sangria: -2 - Parametro invalido para valor", kSep,
                  "Quelmar_FI_Suprimento ",
                  "Retorno Quelmar_FI_Suprimento: -2 - Parametro invalido para valor", kSep,
                  "Quelmar_FI_Suprimento ",
                  "Retorno Quelmar_FI_Suprimento: -2 - Parametro invalido para forma de pagto",
                  kSep, "Quelmar_FI_Sangria ", "Parâmetro: 1",
                  "Retorno Quelmar_FI_Sangria: 0 - Erro de comunicação"}));
}

}  // namespace
}  // namespace quelfi::test
