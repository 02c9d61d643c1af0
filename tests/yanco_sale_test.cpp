// A Yanco coupon through the library's exports against the virtual Yanco printer: the commands on
// the wire, the item checks with their lines, the closings and cancellations, and what the
// printer's registers read back.
#include <string>
#include <vector>

#include "core/printer_state.h"
#include "yanco_fixture.h"

namespace quelfi::test {
namespace {

using core::state;

const std::string kZeros12(12, '0');

std::string padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

// "14": code 13, description 30, price 9, quantity 7, twelve zeros, the slot, the decimals flag.
std::string item(const std::string& code, const std::string& description, const std::string& price,
                 const std::string& quantity, const std::string& slot, char decimals = '0') {
    return "14" + std::string(13 - code.size(), '0') + code + padded(description, 30) + price +
           quantity + kZeros12 + slot + decimals;
}

class YancoSaleTest : public YancoTest {
  protected:
    void SetUp() override {
        YancoTest::SetUp();
        start("payments=Dinheiro,Cheque,Cartao Credito/V");
        configure("StatusFuncao=1\n");
    }
    std::string reg(const std::string& name, const std::vector<std::string>& arguments = {}) {
        const tool::CallOutcome outcome = call(name, arguments);
        return outcome.answers.empty() ? "none" : outcome.answers.front().text;
    }
};

TEST_F(YancoSaleTest, CouponThroughTheQuelmarExports) {
    EXPECT_EQ(Quelmar_FI_AbreCupom(""), 1);
    EXPECT_EQ(Quelmar_FI_VendeItem("1", "ARROZ", "1800", "I", "2", 2, "10,00", "%", "1000"), 1);
    EXPECT_EQ(Quelmar_FI_VendeItem("2", "LEITE", "II", "I", "1", 2, "4,79", "$", "0,00"), 1);
    EXPECT_EQ(Quelmar_FI_VendeItem("3", "GASOLINA", "FF", "F", "1,500", 3, "5,990", "$", "0"), 1);
    EXPECT_EQ(Quelmar_FI_CancelaItemGenerico("2"), 1);
    EXPECT_EQ(Quelmar_FI_IniciaFechamentoCupom("A", "%", "10,00"), 1);
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Cartao Credito", "10,00"), 1);
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Dinheiro", "20,00"), 1);
    EXPECT_EQ(Quelmar_FI_TerminaFechamentoCupom(cp1252("Obrigado pela preferência").c_str()), 1);
    EXPECT_EQ(Quelmar_FI_AbreComprovanteNaoFiscalVinculado("Cartao Credito", "", ""), 1);
    EXPECT_EQ(Quelmar_FI_UsaComprovanteNaoFiscalVinculado("VISA 10,00"), 1);
    EXPECT_EQ(Quelmar_FI_FechaComprovanteNaoFiscalVinculado(), 1);
    // The rates and the payment forms are each read once, on first use.
    EXPECT_EQ(
        commands(),
        (std::vector<std::string>{
            "34077", "2E", "34003", "130", "2E", item("1", "ARROZ", "000010000", "0002000", "01"),
            "18" + kZeros12 + "10001", item("2", "LEITE", "000004790", "0001000", "15"),
            item("3", "GASOLINA", "000005990", "0001500", "14", '1'),
            "35002" + std::string(22, ' '), "1B" + std::string(13, '0') + "10003", "2E",
            "15030000000010000", "15010000000020000", "34072",
            "1600" + padded("Obrigado pela preferencia", 168), "131",
            "2B0" + padded("VISA 10,00", 42), "160" + std::string(168, ' ')}));
    EXPECT_FALSE(state().couponOpen);
    // 20,00 of rice, 4,79 of milk and 8,99 of petrol sold, 2,70 on top; 0,31 of change.
    EXPECT_EQ(reg("Quelmar_FI_GrandeTotal"), "000000000000003648");
    EXPECT_EQ(reg("Quelmar_FI_Acrescimos"), "00000000000270");
    EXPECT_EQ(reg("Quelmar_FI_Descontos"), "00000000000200");
    EXPECT_EQ(reg("Quelmar_FI_Cancelamentos"), "00000000000479");
    EXPECT_EQ(reg("Quelmar_FI_ValorFormaPagamento", {"Cartao Credito"}), "00000000001000");
    EXPECT_EQ(reg("Quelmar_FI_ValorFormaPagamento", {"Dinheiro"}), "00000000001969");
}

TEST_F(YancoSaleTest, TheSameCouponClosedInOneCall) {
    const std::string rice = item("1", "ARROZ", "000010000", "0002000", "01");
    struct Closing {
        std::string what;
        std::function<int()> close;
        std::vector<std::string> wire;
    };
    const std::string message = padded("Volte sempre", 168);
    const std::vector<Closing> closings = {
        {"Yanco_FI_FechaCupom",
         [] { return Yanco_FI_FechaCupom("Dinheiro", "A", "%", "1000", "30000", "Volte sempre"); },
         {"2E", "34077", "2E", "34003", "130", rice, "1B000000000000010003", "2E",
          "15010000000030000", "1600" + message}},
        {"Quelmar_FI_FechaCupom",
         [] {
             return Quelmar_FI_FechaCupom("Dinheiro", "A", "$", "2,00", "30,00", "Volte sempre");
         },
         {"34077", "130", rice, "1B000000000200000002", "15010000000030000", "1600" + message}},
        {"Quelmar_FI_FechaCupomResumido",
         [] { return Quelmar_FI_FechaCupomResumido("Cartao Credito", "Volte sempre"); },
         {"34077", "130", rice, "34072", "15030000000020000", "1600" + message}},
    };
    for (const Closing& c : closings) {
        SCOPED_TRACE(c.what);
        clearLog();
        // The first coupon is sold through the adapter's own export, the others through Quelmar's.
        const auto sell =
            c.what == "Yanco_FI_FechaCupom" ? Yanco_FI_VendeItem : Quelmar_FI_VendeItem;
        EXPECT_EQ(sell("1", "ARROZ", "1800", "I", "2", 2, "10,00", "$", "0"), 1);
        EXPECT_EQ(c.close(), 1);
        EXPECT_EQ(commands(), c.wire);
        EXPECT_FALSE(state().couponOpen);
    }
    EXPECT_EQ(reg("Quelmar_FI_GrandeTotal"), "000000000000006400");
}

TEST_F(YancoSaleTest, ItemChecksRefuseBeforeTheWire) {
    const std::string head = "Retorno Yanco_FI_VendeItem: -2 - Parametro invalido para ";
    const std::string big(10000, '9');
    struct Case {
        std::vector<std::string> args;  // the nine arguments, decimals as text
        int result;
        std::string line;
    };
    const std::vector<Case> cases = {
        {{"12345678901234", "A", "1800", "I", "1", "2", "1,00", "$", "0"},
         -2,
         head + "codigo: 12345678901234"},
        {{"1", "A", "1800", "X", "1", "2", "1,00", "$", "0"}, -2, head + "tipo de quantidade: X"},
        {{"1", "A", "1800", "I", "12345", "2", "1,00", "$", "0"},
         -2,
         head + "quantidade inteira: 12345"},
        {{"1", "A", "1800", "I", "1", "4", "1,00", "$", "0"}, -2, head + "casas decimais : 4"},
        {{"1", "A", "1800", "I", "1", "2", "123456,78", "$", "0"},
         -2,
         head + "valor unitario: 123456,78"},
        {{"1", "A", "1800", "I", "1", "2", "1,00", "%", "10,00"},
         -2,
         head + "desconto percentual: 10,00"},
        // A discount of a type the printer has none of is refused before the item stands.
        {{"1", "A", "1800", "I", "1", "2", "1,00", "X", "1,00"}, -2, head + "tipo de desconto: X"},
        {{"1", big, "1800", "I", "1", "2", big, "$", big}, -2, head + "valor unitario: " + big},
        {{"1", "A", "1234", "I", "1", "2", "1,00", "$", "0"},
         -3,
         "Retorno Yanco_FI_VendeItem: -3 - Aliquota nao programada: 1234"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 80));
        clearLog();
        EXPECT_EQ(call("Quelmar_FI_VendeItem", c.args).code, c.result);
        const std::vector<std::string> wire = commands();
        EXPECT_TRUE(wire.empty() || wire == std::vector<std::string>{"2E"});
        std::string parameters;
        for (const std::string& a : c.args) parameters += a + "|";
        EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_VendeItem ", "Yanco_FI_VendeItem ",
                                       "Parâmetros: " + parameters, c.line}));
    }
    // A description longer than its field is cut, not shifting the fields after it; "TT" goes to
    // the non-incidence slot.
    clearLog();
    EXPECT_EQ(Quelmar_FI_VendeItem("1", big.c_str(), "TT", "I", "1", 2, "1,00", "$", "0"), 1);
    EXPECT_EQ(commands().back(), item("1", big.substr(0, 30), "000001000", "0001000", "16"));
    // A rate emptied after the table was read is the printer's refusal.
    printer->update([](sim::yanco::Model& m) { m.rates[0].reset(); });
    EXPECT_EQ(Quelmar_FI_VendeItem("1", "A", "1800", "I", "1", 2, "1,00", "$", "0"), -27);
    short ack = 0, st1 = 0, st2 = 0;
    EXPECT_EQ(Quelmar_FI_RetornoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(std::vector<short>({ack, st1, st2}), std::vector<short>({6, 0, 17}));
}

TEST_F(YancoSaleTest, ClosingsAndCancellations) {
    const auto sell = [] {
        return Quelmar_FI_VendeItem("1", "ARROZ", "1800", "I", "1", 2, "10,00", "$", "0");
    };
    ASSERT_EQ(sell(), 1);
    clearLog();
    // A form the printer lacks; the end of closing waits for the whole subtotal.
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Vale", "10,00"), -24);
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Dinheiro", "123456789012,34"), -2);
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Dinheiro", "5,00"), 1);
    EXPECT_EQ(Quelmar_FI_TerminaFechamentoCupom("X"), -36);
    EXPECT_EQ(commands(), (std::vector<std::string>{"2E", "15010000000005000", "34072"}));
    // A payment the adapter cannot make stops the closing before its message.
    clearLog();
    EXPECT_EQ(Quelmar_FI_FechaCupom("Vale", "D", "$", "0", "5,00", "X"), -24);
    EXPECT_EQ(commands(), (std::vector<std::string>{"1B000000000000000000"}));
    // The open coupon is cancelled on itself, with its payments.
    clearLog();
    EXPECT_EQ(Quelmar_FI_CancelaCupom(), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"25", "1D"}));
    EXPECT_FALSE(state().couponOpen);
    EXPECT_EQ(state().yancoPaymentSum, 0u);
    // A closed coupon is cancelled by "1E"; its start of closing kept 13 digits of 14.
    ASSERT_EQ(sell(), 1);
    clearLog();
    EXPECT_EQ(Quelmar_FI_IniciaFechamentoCupom("D", "$", "100000000001,00"), -2);
    EXPECT_EQ(Quelmar_FI_IniciaFechamentoCupom("D", "$", "000000000001,00"), 1);
    EXPECT_EQ(Quelmar_FI_FechaCupomResumido("Dinheiro", std::string(169, 'M').c_str()), 1);
    EXPECT_EQ(commands(),
              (std::vector<std::string>{"1B000000000100000000", "34072", "15010000000009000",
                                        "1600" + std::string(168, 'M')}));
    clearLog();
    EXPECT_EQ(Quelmar_FI_CancelaCupom(), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"25", "1E"}));
    EXPECT_EQ(reg("Quelmar_FI_NumeroCuponsCancelados"), "0002");
}

}  // namespace
}  // namespace quelfi::test
