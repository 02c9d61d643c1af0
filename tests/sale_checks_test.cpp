// The sale exports' argument checks as the call log shows them, before anything is sent.
#include <functional>

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
