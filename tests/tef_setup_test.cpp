// The TEF exports around the transactions: the manager's directories and activity, the input
// mode, the complete sale with its voucher four lines a call, and the cancellation of a sale.
#include "core/printer_state.h"
#include "tef_fixture.h"

namespace quelfi::test {
namespace {

using sim::tef::TransactionState;

TEST_F(TefTest, DirectoriesAreCheckedWrittenAndLogged) {
    std::filesystem::remove(workDir() + "/QuelFI32.log");
    const std::string longName(81, 'd');
    EXPECT_EQ(Quelmar_FITEF_ConfiguraDiretorioTef("", responses().c_str()), -2);
    EXPECT_EQ(Quelmar_FITEF_ConfiguraDiretorioTef(requests().c_str(), longName.c_str()), -2);
    EXPECT_EQ(Quelmar_FITEF_ConfiguraDiretorioTef("C:\\TEF\\REQ", "C:\\TEF\\RESP"), 1);
    const std::string separator = std::string(71, '-') + " ";
    EXPECT_EQ(
        workLog(),
        logLines(
            {separator, "Quelmar_FITEF_ConfiguraDiretorioTef ",
             "Retorno: -2 - Parametro invalido para o diretório de requisição do tef:  ", separator,
             "Quelmar_FITEF_ConfiguraDiretorioTef ",
             "Retorno: -2 - Parametro invalido para o diretório de resposta do tef: " + longName,
             separator, "Quelmar_FITEF_ConfiguraDiretorioTef ",
             "Parâmetro: C:\\TEF\\REQ|C:\\TEF\\RESP", "Retorno: 1 - Ok"}));
    EXPECT_EQ(tefKey("REQ"), "C:\\TEF\\REQ");
    EXPECT_EQ(tefKey("RESP"), "C:\\TEF\\RESP");
}

TEST_F(TefTest, ActivityProbe) {
    // Ativo.001 answers for the manager: nothing is asked.
    EXPECT_EQ(Quelmar_FITEF_Status("7"), 1);
    EXPECT_EQ(manager->requests().size(), 0u);
    behave([](sim::tef::Behaviour& b) { b.showActivity = false; });
    EXPECT_EQ(Quelmar_FITEF_Status(""), -2);
    EXPECT_EQ(Quelmar_FITEF_Status("7"), 1);
    EXPECT_EQ(requestTexts(),
              std::vector<std::string>{"000-000 = ATV\r\n001-000 = 7\r\n999-999 = 0"});
    EXPECT_EQ(residues(), std::vector<std::string>{});

    // Without directories the files are in the current directory, as the answer files are (a
    // process that has not built the paths yet).
    core::resetState();
    configure("", "");
    manager = std::make_unique<sim::tef::TefManager>(workDir(), workDir(),
                                                     sim::tef::Behaviour{.showActivity = false});
    EXPECT_EQ(Quelmar_FITEF_Status("8"), 1);
    EXPECT_EQ(requestTexts(),
              std::vector<std::string>{"000-000 = ATV\r\n001-000 = 8\r\n999-999 = 0"});
}

TEST_F(TefTest, InputModeBlocksInputOrDisablesTheWindow) {
    EXPECT_EQ(Quelmar_FI_IniciaModoTEF(), 1);
    EXPECT_EQ(Quelmar_FI_FinalizaModoTEF(), 1);
    platform.canBlockInput = false;
    EXPECT_EQ(Quelmar_FI_IniciaModoTEF(), 1);
    EXPECT_EQ(Quelmar_FI_FinalizaModoTEF(), 1);
    EXPECT_EQ(platform.inputCalls,
              (std::vector<std::string>{"block", "unblock", "disable", "enable"}));
}

TEST_F(TefTest, CompleteSaleThenItsCancellation) {
    configure("[MFD]\nImpressora=1\n", tefSection());
    couponPaidByCard("80,00");
    std::size_t voucherCalls = 0;
    watchVoucherLines([&] { ++voucherCalls; });
    EXPECT_EQ(Quelmar_FITEF_VendaCompleta("6006", "40,00", "Cartao", "Volte sempre"), 1);
    EXPECT_EQ(voucherCalls, 3u);  // twelve lines, four a call, one copy
    ASSERT_EQ(Quelmar_FITEF_ConfirmaVenda("6006", "40,00", "CRT"), 1);

    // The customer changes his mind: the card sale is undone, its voucher bound to the rest of
    // the coupon's card payment.
    EXPECT_EQ(Quelmar_FITEF_CancelaVendaCartao("6007", "40,00", "000101", "001235", "15062026",
                                               "100500", "REDECARD"),
              1);
    EXPECT_EQ(requestTexts().back(),
              "000-000 = CNC\r\n001-000 = 6007\r\n002-000 = 001235\r\n003-000 = 4000\r\n"
              "010-000 = REDECARD\r\n012-000 = 000101\r\n022-000 = 15062026\r\n"
              "023-000 = 100500\r\n999-999 = 0");
    EXPECT_EQ(manager->transactions().at(0).state, TransactionState::Cancelled);
    EXPECT_EQ(voucherCalls, 3u + 2);
    const std::vector<std::string> paper = printer.paper().lines();
    ASSERT_GE(paper.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(paper.end() - 8, paper.end() - 3),
              (std::vector<std::string>{"    COMPROVANTE DE CANCELAMENTO", "REDECARD",
                                        "NSU ORIGINAL 000101", "NSU CANCELAMENTO 000102",
                                        "VALOR CANCELADO R$ 40,00"}));
}

}  // namespace
}  // namespace quelfi::test
