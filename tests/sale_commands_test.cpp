// The bytes the sale exports send, how the composites chain their steps, and how an item's tax
// rate and a payment's form are resolved against the printer's tables.
#include <functional>

#include "fiscal/payment_form_index.h"
#include "fiscal/tax_rate_table.h"
#include "fiscal/tax_rates.h"
#include "protocol_fixture.h"

namespace quelfi::test {
namespace {

using core::state;
using Commands = std::vector<std::string>;
using fiscal::RateOutcome;

const std::string kNul(1, '\0');

class SaleCommandsTest : public ProtocolTest {
  protected:
    void SetUp() override {
        ProtocolTest::SetUp();
        configure();
        state().couponOpen = true;  // the opening is checked on its own
    }
};

TEST_F(SaleCommandsTest, ItemSaleFields) {
    line->reply(rateTableReply({1800, 700}));
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_VendeItem("7891234567890", "Feij\xE3o pre\xE7o", "T18,00", "f", "1,5", 3,
                                   "R$ 4,99", "%", "5"),
              1);
    EXPECT_EQ(commands(), (Commands{"\x1B\x1A", concat({"\x1B", "8", "7891234567890",
                                                        "Feij\xC6o pre\x87o" + std::string(17, ' '),
                                                        "01", "0000015", "00000499", "5000"})}));
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_VendeItem("12345", "Arroz", "07,00", "I", "2", 2, "1000", "$", "0,50"), 1);
    EXPECT_EQ(commands(),
              (Commands{concat({"\x1B\x09", "12345        ", "Arroz" + std::string(24, ' '), "02",
                                "0002", "00001000", "00000050"})}));
    const std::string log = workLog();
    const std::string last = logLines(
        {"Parâmetros: 12345|Arroz|07,00|I|2|2|1000|$|0,50|", "Retorno Quelmar_FI_VendeItem: 1"});
    EXPECT_EQ(log.substr(log.size() - last.size()), last);

    // The department sale carries a NUL after the code only when the code is shorter than 49.
    for (std::size_t codeLength : {48u, 49u}) {
        line->reply(kOk);
        const std::string code(codeLength, 'c');
        EXPECT_EQ(Quelmar_FI_VendeItemDepartamento(code.c_str(), "Desc", "1800", "1,99", "1", "0",
                                                   "0,10", "5", "UN"),
                  1);
        EXPECT_EQ(commands(),
                  (Commands{concat({"\x1B?", "01", "000000199", "0000001", "0000000010",
                                    "0000000000", "05", std::string(20, '0'), "UN", code,
                                    codeLength < 49 ? kNul : "", "Desc", kNul})}));
    }
}

TEST_F(SaleCommandsTest, CancellationsAndExtras) {
    for (int k = 0; k < 5; ++k) line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_CancelaItemGenerico("12"), 1);
    EXPECT_EQ(Quelmar_FI_CancelaItemGenerico(""), 1);
    EXPECT_EQ(Quelmar_FI_CancelaItemAnterior(), 1);
    EXPECT_EQ(Quelmar_FI_UsaUnidadeMedida("K"), 1);
    EXPECT_EQ(Quelmar_FI_AumentaDescricaoItem("Ma\xE7\xE3"), 1);
    EXPECT_EQ(commands(), (Commands{concat({"\x1B\x1F", "0012"}), concat({"\x1B\x1F", "0000"}),
                                    "\x1B\x0D", "\x1B>3K ", "\x1B>4Ma\x87\xC6"}));
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_CancelaCupom(), 1);
    EXPECT_FALSE(state().couponOpen);
}

TEST_F(SaleCommandsTest, PaymentsAskTheIndexUnlessItIsCash) {
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Dinheiro        ", "R$ 10,00"), 1);
    line->reply(bytes({6, '0', '4', 0, 0}));
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Dinheiro", "10,00"), 1);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamentoIndice("3", "5"), 1);
    EXPECT_EQ(commands(), (Commands{"\x1BH0100000000001000", "\x1BGDinheiro        ",
                                    "\x1BH0400000000001000", "\x1BH0300000000000005"}));
    line->reply(bytes({6, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Vale refeicao", "1"), -24);
    line->reply(bytes({6, '0', '0', 0, 0}));
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Vale", "1"), 0);
}

TEST_F(SaleCommandsTest, ClosingSteps) {
    // The start of closing marks a value by the letter's case; the end sends the message with
    // its line end.
    for (int k = 0; k < 4; ++k) line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_IniciaFechamentoCupom("d", "$", "1,50"), 1);
    EXPECT_EQ(Quelmar_FI_IniciaFechamentoCupom("A", "%", "10"), 1);
    EXPECT_EQ(Quelmar_FI_TerminaFechamentoCupom(nullptr), 1);
    EXPECT_EQ(Quelmar_FI_TerminaFechamentoCupom("Obrigado"), 1);
    EXPECT_EQ(commands(),
              (Commands{"\x1B d00000000000150", "\x1B A0010", "\x1B\x22", "\x1B\x22Obrigado\r\n"}));
    EXPECT_FALSE(state().couponOpen);

    // The composite stops at the first step without an answer.
    state().couponOpen = true;
    EXPECT_EQ(Quelmar_FI_FechaCupom("Dinheiro        ", "D", "$", "0", "1000", "Volte sempre"), 0);
    EXPECT_EQ(commands(), (Commands{"\x1B d00000000000000"}));
    EXPECT_TRUE(state().couponOpen);
    for (int k = 0; k < 3; ++k) line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_FechaCupom("Dinheiro        ", "A", "%", "10", "1000", "Volte sempre"), 1);
    EXPECT_EQ(commands(),
              (Commands{"\x1B A0010", "\x1BH0100000000001000", "\x1B\x22Volte sempre\r\n"}));
    EXPECT_FALSE(state().couponOpen);

    // The short closing pays the whole subtotal in the form given.
    state().couponOpen = true;
    line->reply(kOk);
    line->reply(bytes({6, 0x00, 0x00, 0x00, 0x00, 0x00, 0x12, 0x34, 0, 0}));
    line->reply(bytes({6, '0', '2', 0, 0}));
    line->reply(kOk);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_FechaCupomResumido("Cart\xE3o", nullptr), 1);
    EXPECT_EQ(commands(), (Commands{"\x1B d00000000000000", "\x1B\x1D", "\x1BGCart\xC6o          ",
                                    "\x1BH0200000000001234", "\x1B\x22"}));
}

TEST_F(SaleCommandsTest, OpeningRecordsTheCouponNumberAndClientsTheirRecords) {
    reconfigure("", "Impressora=1\n");
    state().couponOpen = false;
    state().type60StartRecorded = true;
    line->reply(bytes({6, 0x00, 0x12, 0x34, 0, 0}));  // the current COO
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_AbreCupom(nullptr), 1);
    EXPECT_EQ(commands(), (Commands{"\x1B\x1E", "\x1B" + std::string(140, '\0')}));
    EXPECT_TRUE(state().couponOpen);
    EXPECT_EQ(ini(), configuredIni() + "[RelatorioTipo60]\nCOOFinal=001235\n");

    // A network client writes the record only.
    configure("ConfigRede=1\n");
    const std::pair<std::function<int()>, const char*> cases[] = {
        {[] { return Quelmar_FI_AbreCupom("123"); }, "003|123|"},
        {[] { return Quelmar_FI_VendeItem("1", "Arroz", "T7,00", "I", "2", 2, "1,00", "$", "0"); },
         "089|1|Arroz|700|I|2|2|100|$|0|"},
        {[] {
             return Quelmar_FI_VendeItemDepartamento("123", "Desc", "18,00", "199", "1", "0", "10",
                                                     "05", "UN");
         },
         "090|123|Desc|1800|199|1|0|10|05|UN|"},
        {[] { return Quelmar_FI_CancelaItemAnterior(); }, "011|"},
        {[] { return Quelmar_FI_CancelaItemGenerico("12"); }, "012|12|"},
        {[] { return Quelmar_FI_CancelaCupom(); }, "009|"},
        {[] { return Quelmar_FI_AumentaDescricaoItem("Mais"); }, "007|Mais|"},
        {[] { return Quelmar_FI_UsaUnidadeMedida("KG"); }, "085|KG|"},
        {[] { return Quelmar_FI_IniciaFechamentoCupom("A", "%", "10"); }, "040|A|%|10|"},
        {[] { return Quelmar_FI_EfetuaFormaPagamento("Dinheiro", "1000"); },
         "023|Dinheiro|00000000001000|"},
        {[] { return Quelmar_FI_EstornoFormasPagamento("Cartao", "Dinheiro", "100"); },
         "026|Cartao|Dinheiro|100|"},
        {[] { return Quelmar_FI_TerminaFechamentoCupom("Obrigado"); }, "082|Obrigado|"},
        {[] { return Quelmar_FI_FechaCupom("Dinheiro", "A", "%", "10", "1000", "Obrigado"); },
         "028|Dinheiro|A|%|10|1000|Obrigado|"},
        {[] { return Quelmar_FI_FechaCupomResumido("Dinheiro", "Obrigado"); },
         "029|Dinheiro|Obrigado|"},
    };
    for (const auto& [call, record] : cases) {
        EXPECT_EQ(call(), 1) << record;
        EXPECT_EQ(commandFile(), record);
    }
    EXPECT_EQ(newWire(), "");
}

TEST_F(SaleCommandsTest, ValuesResolveToTheFirstSlotWithThatRate) {
    line->reply(rateTableReply({1200, 1800, 750, 500, 1800}));
    struct Case {
        const char* text;
        bool complete;  // false: the department sale, which looks the digits up as given
        RateOutcome outcome;
        const char* code;
    };
    const auto resolved = RateOutcome::Resolved;
    // One or two digits are a slot number (18 is not 18 %); letters are codes; the service-tax
    // codes need the newer printers.
    // clang-format off
    const Case cases[] = {
        {"18,00", true, resolved, "02"}, {"18.00", true, resolved, "02"}, {"1800", true, resolved, "02"},
        {"T18,00", true, resolved, "02"}, {"18,0", true, resolved, "02"}, {"7,5", true, resolved, "03"},
        {"05,00", true, resolved, "04"}, {"5,00", false, resolved, "04"}, {"5", true, resolved, "05"},
        {"18", true, resolved, "18"}, {"3", true, resolved, "03"}, {"ff", true, resolved, "FF"},
        {"", true, RateOutcome::Invalid, ""}, {"18,000", true, RateOutcome::Invalid, ""},
        {"SN", true, RateOutcome::InvalidSilent, ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string code;
        EXPECT_EQ(fiscal::resolveTaxRate(exports::chosenRoad(), c.text, c.complete, code),
                  c.outcome);
        EXPECT_EQ(code, c.code);
    }
    reconfigure("", "Impressora=2\n");
    std::string code;
    EXPECT_EQ(fiscal::resolveTaxRate(exports::chosenRoad(), "sn", true, code),
              RateOutcome::Resolved);
    EXPECT_EQ(code, "SN");
    EXPECT_EQ(commands(), (Commands{"\x1B\x1A"}));  // the table was read once
}

TEST_F(SaleCommandsTest, UnknownRateIsReadAgainOnceThenRefused) {
    line->reply(rateTableReply({1800}));
    line->reply(rateTableReply({1800, 2500}));  // programmed after the first read
    std::string code;
    EXPECT_EQ(fiscal::resolveTaxRate(exports::chosenRoad(), "25,00", true, code),
              RateOutcome::Resolved);
    EXPECT_EQ(code, "02");
    line->reply(rateTableReply({1800, 2500}));
    EXPECT_EQ(fiscal::resolveTaxRate(exports::chosenRoad(), "3,00", true, code),
              RateOutcome::NotProgrammed);
    // The re-read went unanswered.
    EXPECT_EQ(fiscal::resolveTaxRate(exports::chosenRoad(), "4,00", true, code),
              RateOutcome::Communication);

    // In network mode the table is never read.
    std::string value;
    EXPECT_EQ(fiscal::networkTaxRate("si", value), RateOutcome::Resolved);
    EXPECT_EQ(value, "SI");
    EXPECT_EQ(fiscal::networkTaxRate("T18,00", value), RateOutcome::Resolved);
    EXPECT_EQ(value, "1800");
    EXPECT_EQ(fiscal::networkTaxRate("180,00", value), RateOutcome::Invalid);
    EXPECT_EQ(commands(), (Commands{"\x1B\x1A", "\x1B\x1A", "\x1B\x1A", "\x1B\x1A"}));
}

TEST_F(SaleCommandsTest, PaymentFormIndexIsAskedByDescription) {
    ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    clearLog();
    line->reply(bytes({6, '0', '3', 0, 0}));
    std::string index;
    EXPECT_EQ(fiscal::paymentFormIndex(exports::chosenRoad(), "Cart\xE3o", index), 1);
    EXPECT_EQ(index, "03");
    EXPECT_EQ(commands(), (Commands{"\x1BGCart\xC6o          "}));
    line->reply(bytes({6, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(fiscal::paymentFormIndex(exports::chosenRoad(), "Vale", index), -24);
    EXPECT_EQ(fiscal::paymentFormIndex(exports::chosenRoad(), "Vale", index), 0);
    EXPECT_EQ(workLog(),
              logLines({"Quelmar_FI_ObtemIndiceFormaPagamento ", "Parâmetro: Cartão",
                        "Retorno Quelmar_FI_ObtemIndiceFormaPagamento: 1 - Ok",
                        "Quelmar_FI_ObtemIndiceFormaPagamento ", "Parâmetro: Vale",
                        "Retorno: -24 - Forma de pagamento não programada e sem espaço para "
                        "programa-la",
                        "Quelmar_FI_ObtemIndiceFormaPagamento ", "Parâmetro: Vale",
                        "Retorno: 0 - Erro de comunicacao"}));
}

}  // namespace
}  // namespace quelfi::test
