// The sale exports' argument checks as the call log shows them, before anything is sent, and the
// field formatting they share.
#include <gtest/gtest.h>

#include <functional>

#include "fiscal/argument_format.h"
#include "protocol/code_page.h"
#include "protocol_fixture.h"

namespace quelfi::test {
namespace {

using core::state;

class SaleChecksTest : public ProtocolTest {
  protected:
    void SetUp() override {
        ProtocolTest::SetUp();
        configure();
    }
    // Runs a call that must be refused with -2 and gives its log, from a fresh file.
    std::string refusal(const std::function<int()>& call) {
        clearLog();
        EXPECT_EQ(call(), -2);
        return workLog();
    }
};

TEST_F(SaleChecksTest, ItemSaleRefusesEachArgumentWithItsMessage) {
    struct Case {
        const char* args[9];
        int decimals;
        const char* reason;
    };
    // clang-format off
    const Case cases[] = {
        {{"12345678901234", "Arroz", "18,00", "I", "1", "", "100", "$", "0"}, 2, "codigo: 12345678901234"},
        {{nullptr, "Arroz", "18,00", "I", "1", "", "100", "$", "0"}, 2, "codigo:  "},
        {{"1", "", "18,00", "I", "1", "", "100", "$", "0"}, 2, "descricao:  "},
        {{"1", "Arroz", "", "I", "1", "", "100", "$", "0"}, 2, "aliquota:  "},
        {{"1", "Arroz", "18,00", "IF", "1", "", "100", "$", "0"}, 2, "tipo de quantidade: IF"},
        {{"1", "Arroz", "18,00", "I", "12345", "", "100", "$", "0"}, 2, "quantidade inteira: 12345"},
        {{"1", "Arroz", "18,00", "F", "1234,5678", "", "100", "$", "0"}, 3, "quantidade fracionaria: 1234,5678"},
        {{"1", "Arroz", "18,00", "I", "1", "", "100", "$", "0"}, 4, "casas decimais 4"},
        {{"1", "Arroz", "18,00", "I", "1", "", "R$ 1.000.000,00", "$", "0"}, 2, "valor unitario: R$ 1.000.000,00"},
        {{"1", "Arroz", "18,00", "I", "1", "", "100", "#", "0"}, 2, "tipo de desconto: #"},
        {{"1", "Arroz", "18,00", "I", "1", "", "100", "$", "123456789"}, 2, "desconto por valor: 123456789"},
        {{"1", "Arroz", "18,00", "I", "1", "", "100", "%", "10,000"}, 2, "desconto percentual: 10,000"},
        {{"1", "Arroz", "18,000", "I", "1", "", "100", "%", "10"}, 2, "aliquota: 18,000"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        const auto& a = c.args;
        EXPECT_EQ(refusal([&] {
                      return Quelmar_FI_VendeItem(a[0], a[1], a[2], a[3], a[4], c.decimals, a[6],
                                                  a[7], a[8]);
                  }),
                  logLines({kSep, "Quelmar_FI_VendeItem ",
                            std::string("Retorno Quelmar_FI_VendeItem: -2 - Parametro invalido "
                                        "para ") +
                                c.reason}));
    }
    // The service-tax codes on an older printer: refused without a line.
    EXPECT_EQ(
        refusal([] { return Quelmar_FI_VendeItem("1", "A", "SN", "I", "1", 2, "1", "$", "0"); }),
        logLines({kSep, "Quelmar_FI_VendeItem "}));
    EXPECT_EQ(newWire(), "");
}

TEST_F(SaleChecksTest, DepartmentSaleAndClosingMessagesKeepTheirOwnShape) {
    const std::string code50 = std::string(49, 'c') + "x";
    const std::pair<std::function<int()>, std::vector<std::string>> cases[] = {
        {[&] {
             return Quelmar_FI_VendeItemDepartamento(code50.c_str(), "d", "1", "1", "1", "0", "0",
                                                     "1", nullptr);
         },
         {"Quelmar_FI_VendeItemDepartamento ",
          "Retorno Quelmar_FI_VendeItemDepartamento: - 2 - Parametro invalido para codigo:" +
              code50}},
        {[] {
             return Quelmar_FI_VendeItemDepartamento("c", "d", "1", "1", "1", "0", "0", "1", "KGS");
         },
         {"Quelmar_FI_VendeItemDepartamento ",
          "Retorno Quelmar_FI_VendeItemDepartamento: - 2 - Parametro invalido para unidade de "
          "medida: KGS"}},
        {[] { return Quelmar_FI_IniciaFechamentoCupom("X", "$", "1"); },
         {"Quelmar_FI_IniciaFechamentoCupom ",
          "Retorno Quelmar_FI_IniciaFechamentoCupom: -2 Parametro invalido para o flag de "
          "acrescimo/desconto"}},
        {[] { return Quelmar_FI_IniciaFechamentoCupom("a", "%", "12345"); },
         {"Quelmar_FI_IniciaFechamentoCupom ",
          "Retorno Quelmar_FI_IniciaFechamentoCupom: -2 - Parametro invalido para o valor do "
          "acrescimo/desconto"}},
        {[] { return Quelmar_FI_EfetuaFormaPagamento("Dinheiro", "123456789012345"); },
         {"Quelmar_FI_EfetuaFormaPagamento ",
          "Retorno Quelmar_FI_EfetuaFormaPagamento: -2 - Parametro invalido para valor da forma "
          "de pagto: 123456789012345"}},
        {[] { return Quelmar_FI_EfetuaFormaPagamento("Forma de pagamento 17", "1"); },
         {"Quelmar_FI_EfetuaFormaPagamento ",
          "Retorno Quelmar_FI_EfetuaFormaPagamento: -2 - Parametro invalido para forma de pagto: "
          "Forma de pagamento 17"}},
        {[] { return Quelmar_FI_FechaCupomResumido("", nullptr); },
         {"Quelmar_FI_FechaCupomResumido ",
          "Retorno Quelmar_FI_FechaCupomResumido : -2 - Parametro invalido para forma de pagto: "
          " "}},
        {[] { return Quelmar_FI_TerminaFechamentoCupom(std::string(491, 'm').c_str()); },
         {"Quelmar_FI_TerminaFechamentoCupom ",
          "Retorno Quelmar_FI_TerminaFechamentoCupom: -2 - Parametro invalido para mensagem"}},
        {[] { return Quelmar_FI_CancelaItemGenerico("1234"); },
         {"Quelmar_FI_CancelaItemGenerico ",
          "Retorno Quelmar_FI_CancelaItemGenerico: -2 - Parametro invalido para numero do item "}},
    };
    for (const auto& [call, lines] : cases) {
        SCOPED_TRACE(lines[0]);
        EXPECT_EQ(refusal(call), logLines(std::vector{kSep} + lines));
    }
    EXPECT_EQ(newWire(), "");
}

TEST_F(SaleChecksTest, LongArgumentsNeverOverflow) {
    const std::string huge(100000, '9');
    const char* h = huge.c_str();
    EXPECT_EQ(Quelmar_FI_VendeItem(h, h, h, h, h, 2, h, h, h), -2);
    EXPECT_EQ(Quelmar_FI_VendeItemDepartamento(h, h, h, h, h, h, h, h, h), -2);
    EXPECT_EQ(Quelmar_FI_FechaCupom(h, h, h, h, h, h), -2);
    EXPECT_EQ(Quelmar_FI_AbreCupom(h), -2);
    // The fast mode trusts the caller's fields: still no overflow; the frame stops at the
    // largest length the protocol can carry.
    state().fastSaleMode = true;
    state().couponOpen = true;
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_VendeItem("1", "Item", h, "I", h, 2, h, "$", h), 1);
    EXPECT_EQ(line->written.size(), 3u + 32765u + 2u);
}

}  // namespace
}  // namespace quelfi::test

namespace quelfi::fiscal {
namespace {

TEST(ArgumentFormat, DigitFilterAndFills) {
    EXPECT_EQ(keepDigits("R$ 1.234,56"), "123456");
    EXPECT_EQ(keepDigits("abc"), "");
    EXPECT_EQ(keepDigits(""), "");
    EXPECT_EQ(zeroFill("150", 14), "00000000000150");
    EXPECT_EQ(zeroFill("12345", 4), "12345");  // never cut
    EXPECT_EQ(blankFill("ab", 5), "ab   ");
    EXPECT_EQ(padText("7", 3, "0", 'e'), "007");
    EXPECT_EQ(padText("7", 3, "ab", 'D'), "7abab");
    EXPECT_EQ(padText("long", 2, "0", 'E'), "long");
}

TEST(ArgumentFormat, PercentagesAndRatesAreCompletedOnTheRight) {
    EXPECT_EQ(itemPercentage("5"), "5000");
    EXPECT_EQ(itemPercentage("10"), "1000");
    EXPECT_EQ(itemPercentage("150"), "1500");
    EXPECT_EQ(itemPercentage("0500"), "0500");
    EXPECT_EQ(itemPercentage("12345"), std::nullopt);

    EXPECT_EQ(taxRateValue(""), "00");
    EXPECT_EQ(taxRateValue("5"), "500");
    EXPECT_EQ(taxRateValue("75"), "750");
    EXPECT_EQ(taxRateValue("180"), "1800");
    EXPECT_EQ(taxRateValue("1800"), "1800");
}

TEST(ArgumentFormat, NumericAmountHoldsThirtyTwoBits) {
    EXPECT_EQ(numericAmount14("1000"), "00000000001000");
    EXPECT_EQ(numericAmount14(""), "00000000000000");
    EXPECT_EQ(numericAmount14("4294967295"), "00004294967295");
    EXPECT_EQ(numericAmount14("4294967296"), std::nullopt);
    EXPECT_EQ(numericAmount14("123456789012345"), std::nullopt);
}

TEST(ArgumentFormat, DateCheck) {
    EXPECT_FALSE(isValidDate("31022004"));
    EXPECT_FALSE(isValidDate("29022003"));
    EXPECT_TRUE(isValidDate("29022004"));
    EXPECT_TRUE(isValidDate("00012004"));
    EXPECT_TRUE(isValidDate("31122004"));
    EXPECT_FALSE(isValidDate("31042004"));
    EXPECT_FALSE(isValidDate("01132004"));
    EXPECT_FALSE(isValidDate("0101"));
}

TEST(ArgumentFormat, PercentSignsAndCase) {
    std::string text = "10% off 5%";
    blankPercentSigns(text, 5);
    EXPECT_EQ(text, "10  off 5%");
    EXPECT_EQ(upperCase("ff"), "FF");
}

TEST(CodePage, AccentedLettersBothWays) {
    EXPECT_EQ(protocol::inPrinterCodePage("\xE7\xE3\xC3"), "\x87\xC6\xC7");
    // Letters outside the table pass unchanged.
    EXPECT_EQ(protocol::inPrinterCodePage("\xC5\xC6\xCB\xCE\xD6\xD8\xDD\xE5\xE6\xEE\xF8\xFD abc"),
              "\xC5\xC6\xCB\xCE\xD6\xD8\xDD\xE5\xE6\xEE\xF8\xFD abc");
    // Every accented letter converted comes back as it was, and none is left as it was.
    const std::string all =
        "\xC0\xC1\xC2\xC3\xC4\xC7\xC8\xC9\xCA\xCC\xCD\xCF\xD1\xD2\xD3\xD4\xD5"
        "\xD9\xDA\xDB\xDC\xE0\xE1\xE2\xE3\xE4\xE7\xE8\xE9\xEA\xEB\xEC\xED"
        "\xEF\xF1\xF2\xF3\xF4\xF5\xF6\xF9\xFA\xFB\xFC\xFF";
    std::string round = protocol::inPrinterCodePage(all);
    protocol::fromPrinterCodePage(round);
    EXPECT_EQ(round, all);
    const std::string sent = protocol::inPrinterCodePage(all);
    for (std::size_t i = 0; i < all.size(); ++i) EXPECT_NE(sent[i], all[i]) << i;
}

}  // namespace
}  // namespace quelfi::fiscal
