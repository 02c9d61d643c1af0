// The sale exports' argument checks as the call log shows them, before anything is sent.
#include "protocol_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

using core::state;

class SaleChecksTest : public ProtocolTest {
  protected:
    void SetUp() override {
        ProtocolTest::SetUp();
        configure();
    }
    // The log of one call, from a fresh file.
    template <typename Call>
    std::string logOf(Call call, int expected) {
        std::filesystem::remove(workDir() + "/QuelFI32.log");
        EXPECT_EQ(call(), expected);
        return workLog();
    }
};

TEST_F(SaleChecksTest, ItemSaleRefusesEachArgumentWithItsMessage) {
    struct Case {
        const char* args[9];
        int decimals;
        const char* line;
    };
    const Case cases[] = {
        {{"12345678901234", "Arroz", "18,00", "I", "1", "", "100", "$", "0"},
         2,
         "Retorno Quelmar_FI_VendeItem: -2 - Parametro invalido para codigo: 12345678901234"},
        {{nullptr, "Arroz", "18,00", "I", "1", "", "100", "$", "0"},
         2,
         "Retorno Quelmar_FI_VendeItem: -2 - Parametro invalido para codigo:  "},
        {{"1", "", "18,00", "I", "1", "", "100", "$", "0"},
         2,
         "Retorno Quelmar_FI_VendeItem: -2 - Parametro invalido para descricao:  "},
        {{"1", "Arroz", "", "I", "1", "", "100", "$", "0"},
         2,
         "Retorno Quelmar_FI_VendeItem: -2 - Parametro invalido para aliquota:  "},
        {{"1", "Arroz", "18,00", "IF", "1", "", "100", "$", "0"},
         2,
         "Retorno Quelmar_FI_VendeItem: -2 - Parametro invalido para tipo de quantidade: IF"},
        {{"1", "Arroz", "18,00", "I", "12345", "", "100", "$", "0"},
         2,
         "Retorno Quelmar_FI_VendeItem: -2 - Parametro invalido para quantidade inteira: 12345"},
        {{"1", "Arroz", "18,00", "F", "1234,5678", "", "100", "$", "0"},
         3,
         "Retorno Quelmar_FI_VendeItem: -2 - Parametro invalido para quantidade fracionaria: "
         "1234,5678"},
        {{"1", "Arroz", "18,00", "I", "1", "", "100", "$", "0"},
         4,
         "Retorno Quelmar_FI_VendeItem: -2 - Parametro invalido para casas decimais 4"},
        {{"1", "Arroz", "18,00", "I", "1", "", "R$ 1.000.000,00", "$", "0"},
         2,
         "Retorno Quelmar_FI_VendeItem: -2 - Parametro invalido para valor unitario: "
         "R$ 1.000.000,00"},
        {{"1", "Arroz", "18,00", "I", "1", "", "100", "#", "0"},
         2,
         "Retorno Quelmar_FI_VendeItem: -2 - Parametro invalido para tipo de desconto: #"},
        {{"1", "Arroz", "18,00", "I", "1", "", "100", "$", "123456789"},
         2,
         "Retorno Quelmar_FI_VendeItem: -2 - Parametro invalido para desconto por valor: "
         "123456789"},
        {{"1", "Arroz", "18,00", "I", "1", "", "100", "%", "10,000"},
         2,
         "Retorno Quelmar_FI_VendeItem: -2 - Parametro invalido para desconto percentual: 10,000"},
        {{"1", "Arroz", "18,000", "I", "1", "", "100", "%", "10"},
         2,
         "Retorno Quelmar_FI_VendeItem: -2 - Parametro invalido para aliquota: 18,000"},
    };
    for (const Case& c : cases) {
        const auto& a = c.args;
        EXPECT_EQ(logOf(
                      [&] {
                          return Quelmar_FI_VendeItem(a[0], a[1], a[2], a[3], a[4], c.decimals,
                                                      a[6], a[7], a[8]);
                      },
                      -2),
                  logLines({kSep, "Quelmar_FI_VendeItem ", c.line}))
            << c.line;
    }
    EXPECT_TRUE(line->written.empty());

    // The service-tax codes on an older printer: refused without a line.
    EXPECT_EQ(
        logOf([] { return Quelmar_FI_VendeItem("1", "A", "SN", "I", "1", 2, "1", "$", "0"); }, -2),
        logLines({kSep, "Quelmar_FI_VendeItem "}));
}

TEST_F(SaleChecksTest, DepartmentSaleMessagesKeepTheirOwnShape) {
    const std::string code49(49, 'c');
    EXPECT_EQ(logOf(
                  [&] {
                      return Quelmar_FI_VendeItemDepartamento((code49 + "x").c_str(), "d", "1", "1",
                                                              "1", "0", "0", "1", nullptr);
                  },
                  -2),
              logLines({kSep, "Quelmar_FI_VendeItemDepartamento ",
                        "Retorno Quelmar_FI_VendeItemDepartamento: - 2 - Parametro invalido para "
                        "codigo:" +
                            code49 + "x"}));
    EXPECT_EQ(logOf(
                  [] {
                      return Quelmar_FI_VendeItemDepartamento("c", "d", "1", "1", "1", "0", "0",
                                                              "1", "KGS");
                  },
                  -2),
              logLines({kSep, "Quelmar_FI_VendeItemDepartamento ",
                        "Retorno Quelmar_FI_VendeItemDepartamento: - 2 - Parametro invalido para "
                        "unidade de medida: KGS"}));
}

TEST_F(SaleChecksTest, ClosingChecks) {
    EXPECT_EQ(logOf([] { return Quelmar_FI_IniciaFechamentoCupom("X", "$", "1"); }, -2),
              logLines({kSep, "Quelmar_FI_IniciaFechamentoCupom ",
                        "Retorno Quelmar_FI_IniciaFechamentoCupom: -2 Parametro invalido para o "
                        "flag de acrescimo/desconto"}));
    EXPECT_EQ(logOf([] { return Quelmar_FI_IniciaFechamentoCupom("a", "%", "12345"); }, -2),
              logLines({kSep, "Quelmar_FI_IniciaFechamentoCupom ",
                        "Retorno Quelmar_FI_IniciaFechamentoCupom: -2 - Parametro invalido para o "
                        "valor do acrescimo/desconto"}));
    EXPECT_EQ(
        logOf([] { return Quelmar_FI_EfetuaFormaPagamento("Dinheiro", "123456789012345"); }, -2),
        logLines({kSep, "Quelmar_FI_EfetuaFormaPagamento ",
                  "Retorno Quelmar_FI_EfetuaFormaPagamento: -2 - Parametro invalido para "
                  "valor da forma de pagto: 123456789012345"}));
    EXPECT_EQ(
        logOf([] { return Quelmar_FI_EfetuaFormaPagamento("Forma de pagamento 17", "1"); }, -2),
        logLines({kSep, "Quelmar_FI_EfetuaFormaPagamento ",
                  "Retorno Quelmar_FI_EfetuaFormaPagamento: -2 - Parametro invalido para "
                  "forma de pagto: Forma de pagamento 17"}));
    EXPECT_EQ(logOf([] { return Quelmar_FI_FechaCupomResumido("", nullptr); }, -2),
              logLines({kSep, "Quelmar_FI_FechaCupomResumido ",
                        "Retorno Quelmar_FI_FechaCupomResumido : -2 - Parametro invalido para "
                        "forma de pagto:  "}));
    EXPECT_EQ(
        logOf([] { return Quelmar_FI_TerminaFechamentoCupom(std::string(491, 'm').c_str()); }, -2),
        logLines({kSep, "Quelmar_FI_TerminaFechamentoCupom ",
                  "Retorno Quelmar_FI_TerminaFechamentoCupom: -2 - Parametro invalido para "
                  "mensagem"}));
    EXPECT_EQ(logOf([] { return Quelmar_FI_CancelaItemGenerico("1234"); }, -2),
              logLines({kSep, "Quelmar_FI_CancelaItemGenerico ",
                        "Retorno Quelmar_FI_CancelaItemGenerico: -2 - Parametro invalido para "
                        "numero do item "}));
    EXPECT_TRUE(line->written.empty());
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
    line->reply(bytes({6, 0, 0}));
    EXPECT_EQ(Quelmar_FI_VendeItem("1", "Item", h, "I", h, 2, h, "$", h), 1);
    EXPECT_EQ(line->written.size(), 3u + 32765u + 2u);
}

}  // namespace
}  // namespace quelfi::test
