// The bytes the sale exports send, and how the composites chain their steps.
#include "protocol_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

using core::state;

const std::string kOk = bytes({6, 0, 0});

std::string rateTable(std::initializer_list<int> rates) {
    std::string reply = bytes({6, static_cast<int>(rates.size())});
    int n = 0;
    for (int r : rates) {
        reply += static_cast<char>(((r / 1000) << 4) | ((r / 100) % 10));
        reply += static_cast<char>((((r / 10) % 10) << 4) | (r % 10));
        ++n;
    }
    for (; n < 16; ++n) reply += bytes({0, 0});
    return reply + bytes({0, 0});
}

class SaleCommandsTest : public ProtocolTest {
  protected:
    void SetUp() override {
        ProtocolTest::SetUp();
        configure();
        state().couponOpen = true;  // opening a coupon is tested on its own
    }
    // The command bytes of every frame written since the last call.
    std::vector<std::string> commands() {
        std::vector<std::string> out;
        std::size_t at = consumed_;
        const std::string& w = line->written;
        while (at + 3 <= w.size()) {
            const std::size_t total = static_cast<unsigned char>(w[at + 1]) +
                                      256u * static_cast<unsigned char>(w[at + 2]);
            out.push_back(w.substr(at + 3, total - 2));
            at += 3 + total;
        }
        consumed_ = at;
        return out;
    }
    std::size_t consumed_ = 0;
};

TEST_F(SaleCommandsTest, ItemSaleFields) {
    line->reply(rateTable({1800, 700}));
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_VendeItem("7891234567890", "Feij\xE3o pre\xE7o", "T18,00", "f", "1,5", 3,
                                   "R$ 4,99", "%", "5"),
              1);
    EXPECT_EQ(commands(), (std::vector<std::string>{
                              "\x1B\x1A", "\03387891234567890Feij\xC6o pre\x87o" +
                                              std::string(17, ' ') + "010000015000004995000"}));
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_VendeItem("12345", "Arroz", "07,00", "I", "2", 2, "1000", "$", "0,50"), 1);
    EXPECT_EQ(commands(),
              (std::vector<std::string>{"\x1B\01112345        Arroz" + std::string(24, ' ') +
                                        "0200020000100000000050"}));
    const std::string log = workLog();
    const std::string last = logLines(
        {"Parâmetros: 12345|Arroz|07,00|I|2|2|1000|$|0,50|", "Retorno Quelmar_FI_VendeItem: 1"});
    EXPECT_EQ(log.substr(log.size() - last.size()), last);
}

TEST_F(SaleCommandsTest, DepartmentSaleCarriesTheNulOnlyForShortFields) {
    line->reply(rateTable({1800}));
    for (std::size_t codeLength : {48u, 49u}) {
        line->reply(kOk);
        const std::string code(codeLength, 'c');
        EXPECT_EQ(Quelmar_FI_VendeItemDepartamento(code.c_str(), "Desc", "1800", "1,99", "1", "0",
                                                   "0,10", "5", "UN"),
                  1);
        std::vector<std::string> sent = commands();
        const std::string& item = sent.back();
        const std::string fixed = std::string("\x1B?") + "0100000019900000010000000010" +
                                  "000000000005" + std::string(20, '0') + "UN";
        const std::string tail =
            code + (codeLength < 49 ? std::string(1, '\0') : "") + "Desc" + std::string(1, '\0');
        EXPECT_EQ(item, fixed + tail) << codeLength;
        EXPECT_EQ(item.size(), 64u + tail.size());
    }
}

TEST_F(SaleCommandsTest, CancellationsAndExtras) {
    for (int k = 0; k < 5; ++k) line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_CancelaItemGenerico("12"), 1);
    EXPECT_EQ(Quelmar_FI_CancelaItemGenerico(""), 1);
    EXPECT_EQ(Quelmar_FI_CancelaItemAnterior(), 1);
    EXPECT_EQ(Quelmar_FI_UsaUnidadeMedida("K"), 1);
    EXPECT_EQ(Quelmar_FI_AumentaDescricaoItem("Ma\xE7\xE3"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\0370012", "\x1B\0370000", "\x1B\x0D",
                                                    "\x1B>3K ", "\x1B>4Ma\x87\xC6"}));
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_CancelaCupom(), 1);
    EXPECT_FALSE(state().couponOpen);
}

TEST_F(SaleCommandsTest, StartOfClosingMarksValueByTheLetterCase) {
    line->reply(kOk);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_IniciaFechamentoCupom("d", "$", "1,50"), 1);
    EXPECT_EQ(Quelmar_FI_IniciaFechamentoCupom("A", "%", "10"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B d00000000000150", "\x1B A0010"}));
}

TEST_F(SaleCommandsTest, PaymentsAskTheIndexUnlessItIsCash) {
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Dinheiro        ", "R$ 10,00"), 1);
    line->reply(bytes({6, '0', '4', 0, 0}));
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Dinheiro", "10,00"), 1);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamentoIndice("3", "5"), 1);
    EXPECT_EQ(commands(),
              (std::vector<std::string>{"\x1BH0100000000001000", "\x1BGDinheiro        ",
                                        "\x1BH0400000000001000", "\x1BH0300000000000005"}));
    line->reply(bytes({6, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Vale refeicao", "1"), -24);
    line->reply(bytes({6, '0', '0', 0, 0}));
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Vale", "1"), 0);
}

TEST_F(SaleCommandsTest, EndOfClosingSendsTheMessageWithItsLineEnd) {
    line->reply(kOk);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_TerminaFechamentoCupom(nullptr), 1);
    EXPECT_EQ(Quelmar_FI_TerminaFechamentoCupom("Obrigado"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B\x22", "\x1B\x22Obrigado\r\n"}));
    EXPECT_FALSE(state().couponOpen);
}

TEST_F(SaleCommandsTest, CompositeClosingStopsAtTheFirstRefusal) {
    // The start of closing gets no answer: nothing else is sent.
    EXPECT_EQ(Quelmar_FI_FechaCupom("Dinheiro        ", "D", "$", "0", "1000", "Volte sempre"), 0);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B d00000000000000"}));
    EXPECT_TRUE(state().couponOpen);

    for (int k = 0; k < 3; ++k) line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_FechaCupom("Dinheiro        ", "A", "%", "10", "1000", "Volte sempre"), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B A0010", "\x1BH0100000000001000",
                                                    "\x1B\x22Volte sempre\r\n"}));
    EXPECT_FALSE(state().couponOpen);
}

TEST_F(SaleCommandsTest, ShortClosingPaysTheWholeSubtotal) {
    line->reply(kOk);
    line->reply(bytes({6, 0x00, 0x00, 0x00, 0x00, 0x00, 0x12, 0x34, 0, 0}));
    line->reply(bytes({6, '0', '2', 0, 0}));
    line->reply(kOk);
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_FechaCupomResumido("Cart\xE3o", nullptr), 1);
    EXPECT_EQ(commands(), (std::vector<std::string>{"\x1B d00000000000000", "\x1B\x1D",
                                                    "\x1BGCart\xC6o          ",
                                                    "\x1BH0200000000001234", "\x1B\x22"}));
}

TEST_F(SaleCommandsTest, OpeningRecordsTheCouponNumber) {
    state().couponOpen = false;
    state().type60StartRecorded = true;
    state().printerType = 1;
    line->reply(bytes({6, 0x00, 0x12, 0x34, 0, 0}));  // the current COO
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_AbreCupom(nullptr), 1);
    const std::vector<std::string> sent = commands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], "\x1B\x1E");
    EXPECT_EQ(sent[1], std::string("\x1B") + std::string(140, '\0'));
    EXPECT_TRUE(state().couponOpen);
    EXPECT_NE(readFile(systemDir() + "/QuelFI32.ini").find("COOFinal=001235"), std::string::npos);
}

TEST_F(SaleCommandsTest, NetworkClientWritesTheRecordOnly) {
    writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\nConfigRede=1\n");
    load();
    state().couponOpen = false;
    EXPECT_EQ(Quelmar_FI_VendeItem("1", "Arroz", "T7,00", "I", "2", 2, "1,00", "$", "0"), 1);
    EXPECT_EQ(commandFile(), "089|1|Arroz|700|I|2|2|100|$|0|");
    EXPECT_TRUE(line->written.empty());
}

}  // namespace
}  // namespace quelfi::test
