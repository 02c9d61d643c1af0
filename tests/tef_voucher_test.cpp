// The card voucher when the printer does not take it, and the waits for a printer that does not
// answer: the sale is undone rather than confirmed without its voucher, and no wait outlasts its
// limit or the operator's patience.
#include "core/printer_state.h"
#include "tef_fixture.h"

namespace quelfi::test {
namespace {

using platform::PromptAnswer;
using platform::PromptStyle;
using sim::tef::TransactionState;

// The undoing of sale 1001, made while the coupon `document` was the printer's.
std::string undoRequest(const std::string& document) {
    return "000-000 = NCN\r\n001-000 = 1001\r\n002-000 = " + document +
           "\r\n010-000 = REDECARD\r\n012-000 = 000101\r\n027-000 = CTRL0001011001\r\n"
           "999-999 = 0";
}

class TefVoucherTest : public TefTest {
  protected:
    void SetUp() override {
        TefTest::SetUp();
        ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    }
    // The texts of the prompts, with their styles.
    std::vector<std::pair<std::string, PromptStyle>> prompts() const {
        std::vector<std::pair<std::string, PromptStyle>> shown;
        for (const auto& p : platform.prompts) shown.emplace_back(p.text, p.style);
        return shown;
    }
    std::size_t framesOf(char command) const {
        std::size_t n = 0;
        for (const std::string& frame : line.frames())
            if (frame.size() > 4 && frame[4] == command) ++n;
        return n;
    }
};

const std::pair<std::string, PromptStyle> kPrintAgain = {
    cp1252("Impressora não responde.\r\nTentar imprimir novamente?"), PromptStyle::YesNoQuestion};
const std::pair<std::string, PromptStyle> kUndone = {
    cp1252("Transação Cancelada:\nDocumento No: 000101\nRede : REDECARD\nValor : 40,00"),
    PromptStyle::Information};

TEST_F(TefVoucherTest, PrinterStoppingMidVoucherUndoesTheSale) {
    couponPaidByCard();
    ASSERT_EQ(Quelmar_FITEF_VendaCartao("1001", "40,00"), 1);
    ASSERT_EQ(Quelmar_FI_TerminaFechamentoCupom(""), 1);
    int lines = 0;
    watch = [&](char command) {
        if (command == 'C' && ++lines == 5) line.goSilent();
    };
    EXPECT_EQ(Quelmar_FITEF_ImprimeTEF("1001", "Cartao", "40,00"), 1);
    EXPECT_EQ(manager->requests().back().text, undoRequest("001235"));
    EXPECT_EQ(manager->transactions().at(0).state, TransactionState::Undone);
    EXPECT_EQ(tefKey("STATUS"), "0");
    EXPECT_EQ(prompts(), (std::vector{kPrintAgain, kUndone}));
    EXPECT_EQ(residues(), std::vector<std::string>{});
    // The receipt may still be open on the printer: the next Yanco coupon closes it first.
    EXPECT_TRUE(core::state().tef.pendingClose);
}

TEST_F(TefVoucherTest, RefusedLinesAreNotTakenForPrinted) {
    // No card payment in the last coupon: the printer refuses the bound receipt for it and for
    // the twenty coupons before, then every line of the voucher.
    ASSERT_EQ(Quelmar_FITEF_VendaCartao("1001", "40,00"), 1);
    platform.answers = {PromptAnswer::Yes, PromptAnswer::No};
    EXPECT_EQ(Quelmar_FITEF_ImprimeTEF("1001", "Cartao", "40,00"), 1);
    // Tried again once: the receipt opened anew for the coupon and the twenty before it.
    EXPECT_EQ(framesOf('B'), 2u * 21);
    EXPECT_EQ(prompts(), (std::vector{kPrintAgain, kPrintAgain, kUndone}));
    EXPECT_EQ(manager->requests().back().text, undoRequest("001234"));
    EXPECT_EQ(tefKey("STATUS"), "0");
}

TEST_F(TefVoucherTest, PrinterWaitsEndWithTheOperator) {
    ASSERT_EQ(Quelmar_FITEF_VendaCartao("1001", "40,00"), 1);
    line.goSilent();
    const std::pair<std::string, PromptStyle> needed = {
        cp1252("Para continuar com essa operação é necessário que a impressora esteja ligada.\n"
               "Se deseja continuar verifique se a impressora está Ligada e/ou Conectada ."),
        PromptStyle::YesNoQuestion};
    EXPECT_EQ(Quelmar_FITEF_ImprimeTEF("1001", "Cartao", "40,00"), -6);
    EXPECT_EQ(prompts(), (std::vector{std::pair{cp1252("A impressora não está respondendo. "
                                                       "Certifique-se de que ela esteja ligada e "
                                                       "seu cabo devidamente conectado."),
                                                PromptStyle::Exclamation},
                                      needed}));
    EXPECT_EQ(tefKey("STATUS"), "");

    // The card sale waits 70 s for the printer, however long each check takes, then asks.
    platform.prompts.clear();
    platform.answers = {PromptAnswer::Yes};
    const std::uint64_t start = platform.slept();
    EXPECT_EQ(Quelmar_FITEF_VendaCartao("1002", "40,00"), -6);
    const std::uint64_t waited = platform.slept() - start;
    EXPECT_GE(waited, 2 * 70000u);
    EXPECT_LT(waited, 2 * 85000u);
    EXPECT_EQ(prompts(), (std::vector{needed, needed}));
}

}  // namespace
}  // namespace quelfi::test
