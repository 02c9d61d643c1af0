// Card and cheque payments through the virtual TEF manager, on the virtual printer: the requests
// the manager takes, the voucher on paper, the INI's TEF records, the files left behind and what
// the operator is told; the card voucher when the printer does not take it, and the waits for a
// printer that does not answer.
#include <algorithm>

#include "core/printer_state.h"
#include "tef_fixture.h"

namespace quelfi::test {
namespace {

using platform::PromptAnswer;
using platform::PromptStyle;
using sim::tef::TransactionState;

// clang-format off
const std::vector<std::string> kVoucher = {
    "       COMPROVANTE DE VENDA", "REDECARD", "ESTAB 1020304050  TERMINAL 07",
    "CARTAO ************4321", "DOC 001235  NSU 000101", "15/06/2026 10:05",
    "VALOR APROVADO R$ 40,00", "", "RECONHECO E PAGAREI A QUANTIA ACIMA", "",
    "______________________________", "ASSINATURA DO CLIENTE"};
// clang-format on

const char* const kSaleRequest =
    "000-000 = CRT\r\n001-000 = 1001\r\n002-000 = 001235\r\n003-000 = 4000\r\n004-000 = "
    "\r\n999-999 = 0";

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(TefTest, CardSaleFromCouponToConfirmation) {
    couponPaidByCard();
    ASSERT_EQ(Quelmar_FITEF_VendaCartao("1001", "40,00"), 1);
    ASSERT_EQ(Quelmar_FI_TerminaFechamentoCupom("Obrigado"), 1);
    const std::size_t before = printer.paper().lines().size();
    std::vector<std::string> statusWhilePrinting;
    watchVoucherLines([&] { statusWhilePrinting.push_back(tefKey("STATUS")); });
    EXPECT_EQ(Quelmar_FITEF_ImprimeTEF("1001", "Cartao", "40,00"), 1);
    EXPECT_EQ(tefKey("STATUS"), "0");
    EXPECT_EQ(Quelmar_FITEF_ConfirmaVenda("1001", "40,00", "CRT"), 1);

    EXPECT_EQ(requestTexts(),
              (std::vector<std::string>{kSaleRequest,
                                        "000-000 = CNF\r\n001-000 = 1001\r\n002-000 = 001235\r\n"
                                        "010-000 = REDECARD\r\n012-000 = 000101\r\n027-000 = "
                                        "CTRL0001011001\r\n999-999 = 0"}));
    // The bound receipt of coupon 1235's card payment: both copies, two blank lines apart.
    const std::vector<std::string> paper = paperSince(before);
    ASSERT_GE(paper.size(), 9u + 2 * kVoucher.size() + 2);
    EXPECT_EQ(paper[6], "COO DO CUPOM FISCAL                       001235");
    EXPECT_EQ(std::vector<std::string>(paper.begin() + 9, paper.end() - 3),
              (kVoucher + std::vector<std::string>{"", ""} + kVoucher));
    EXPECT_EQ(statusWhilePrinting, std::vector<std::string>(2 * kVoucher.size() + 2, "1"));
    EXPECT_EQ(tefKey("LINHAS"), "12");
    EXPECT_EQ(manager->transactions().at(0).state, TransactionState::Confirmed);
    EXPECT_EQ(residues(), std::vector<std::string>{});
    EXPECT_EQ(platform.transientMessages, std::vector<std::string>{"Transacao aprovada"});
    EXPECT_EQ(prompts(), Prompts{});
}

// What the library tells the operator (Windows-1252, as the message boxes get it).
const std::string kNotActive = cp1252("O gerenciador TEF não está ativo.");
const std::string kNoResponse = cp1252(
    "Arquivo de resposta não foi encontrado.\n\nPossíveis Causas:\n   1) Linha ocupada.\n   2) "
    "Demora na resposta da operadora.\n   3) Modem não Comunica.\n   4) Cabo do modem mal "
    "conectado.\n   5) Cabo 'RJ' não está conectado à linha telefônica.\n   6) Tentativa de "
    "impressão sem que haja algum tipo de operação.\n\nDeseja tentar novamente?");
const std::string kAckMismatch =
    cp1252("Número de Identificação do arquivo não bate com o Número de Identificação passado.");

struct Misbehaviour {
    const char* what;
    std::function<void(sim::tef::Behaviour&)> behave;
    const char* amount;
    std::vector<PromptAnswer> answers;
    int result;
    Prompts prompts;
    std::vector<std::string> residues;
};

TEST_F(TefTest, EachWayTheManagerMisbehavesHasItsCode) {
    using B = sim::tef::Behaviour;
    using enum PromptStyle;
    const std::vector<std::string> answered = {"tef/resp/IntPos.001", "tef/resp/Imprime.txt"};
    const std::string refused = "Transacao nao autorizada";
    // clang-format off
    const Misbehaviour cases[] = {
        {"absent", [](B& b) { b.absent = true; }, "10,00", {}, 0,
         {{kNotActive, Exclamation}}, {"tef/req/IntPos.001"}},
        {"silent, the operator stops waiting", [](B& b) { b.neverAnswer = true; }, "10,00",
         {PromptAnswer::No}, -23, {{kNoResponse, YesNoQuestion}}, {}},
        {"slow, the operator waits on", [](B& b) { b.answerDelayMs = 300000; }, "10,00",
         {PromptAnswer::Yes}, 1, {{kNoResponse, YesNoQuestion}}, answered},
        {"refused", [](B& b) { b.refuse = true; }, "10,00", {}, -28, {{refused, Information}}, {}},
        {"declined for 99 centavos", [](B&) {}, "10,99", {}, -28, {{refused, Information}}, {}},
        {"cancelled at the PIN pad", [](B& b) { b.operatorCancels = true; }, "10,00", {}, -20,
         {{"Cancelada pelo operador", Information}}, {}},
        {"an old response lying there", [](B& b) { b.staleResponse = true; }, "10,00", {}, 1, {},
         answered},
        {"another identification", [](B& b) { b.wrongIdentification = true; }, "10,00", {}, -18,
         {{kAckMismatch, Exclamation}}, {}},
    };
    // clang-format on
    for (const Misbehaviour& c : cases) {
        SCOPED_TRACE(c.what);
        manager->setBehaviour({});
        behave(c.behave);
        Quelmar_FITEF_ApagaResiduos();
        platform.prompts.clear();
        platform.answers.assign(c.answers.begin(), c.answers.end());
        const std::uint64_t start = platform.slept();
        EXPECT_EQ(Quelmar_FITEF_VendaCartao("2002", c.amount), c.result);
        EXPECT_EQ(prompts(), c.prompts);
        EXPECT_EQ(residues(), c.residues);
        // Each question comes after 225 s without a response.
        EXPECT_LT(platform.slept() - start, 225000u * (c.answers.size() + 1) + 2000u);
    }
    // Approved by the network: the slow one, the one after the old response, and the one the
    // library gave up on for its identification.
    EXPECT_EQ(manager->transactions().size(), 3u);
}

TEST_F(TefTest, IdentificationsMustMatchAndASaleIsNotDoneTwice) {
    ASSERT_EQ(Quelmar_FITEF_VendaCartao("3003", "10,00"), 1);
    EXPECT_EQ(Quelmar_FITEF_ConfirmaVenda("3004", "10,00", "CRT"), -19);
    EXPECT_EQ(Quelmar_FITEF_ConfirmaVenda("3003", "10,00", "CRT"), 1);
    EXPECT_EQ(Quelmar_FITEF_VendaCartao("3003", "10,00"), -26);
    behave([](sim::tef::Behaviour& b) { b.wrongIdentification = true; });
    EXPECT_EQ(Quelmar_FITEF_ConfirmaVenda("3003", "10,00", "CNC"), -19);
    EXPECT_EQ(prompts(), (Prompts{{cp1252("Número de Identificação não bate com o do Arquivo .001"),
                                   PromptStyle::Exclamation},
                                  {"Transacao ja efetuada..", PromptStyle::Information},
                                  {kAckMismatch, PromptStyle::Exclamation}}));
}

TEST_F(TefTest, ChequeWithoutVoucherIsDone) {
    EXPECT_EQ(Quelmar_FITEF_VendaCheque("4004", "R$ 125,50"), 1);
    EXPECT_EQ(Quelmar_FITEF_ConfirmaVenda("4004", "125,50", "CHQ"), 1);
    EXPECT_EQ(requestTexts(),
              (std::vector<std::string>{
                  "000-000 = CHQ\r\n001-000 = 4004\r\n002-000 = 001234\r\n003-000 = 12550\r\n"
                  "999-999 = 0",
                  "000-000 = CNF\r\n001-000 = 4004\r\n002-000 = 001234\r\n010-000 = TECBAN\r\n"
                  "012-000 = 000101\r\n027-000 = CTRL0001014004\r\n999-999 = 0"}));
    EXPECT_EQ(manager->transactions().at(0).state, TransactionState::Confirmed);
    EXPECT_EQ(prompts(), (Prompts{{"Cheque aprovado", PromptStyle::Information}}));
    EXPECT_EQ(tefKey("LINHAS"), "0");
}

TEST_F(TefTest, AdministrativeMenuThenItsReportInAManagementReport) {
    ASSERT_EQ(Quelmar_FITEF_VendaCartao("5005", "12,34"), 1);
    ASSERT_EQ(Quelmar_FITEF_ConfirmaVenda("5005", "12,34", "CRT"), 1);
    const std::size_t before = printer.paper().lines().size();
    EXPECT_EQ(Quelmar_FITEF_ADM("5006"), 1);
    EXPECT_EQ(Quelmar_FITEF_ImprimeRelatorio(), 1);
    EXPECT_EQ(requestTexts().back(), "000-000 = ADM\r\n001-000 = 5006\r\n999-999 = 0");
    const std::vector<std::string> paper = paperSince(before);
    ASSERT_GE(paper.size(), 6u + 2 * 4 + 2);
    EXPECT_EQ(paper[5], "              RELATÓRIO GERENCIAL");
    const std::vector<std::string> report = {"      RESUMO DE TRANSACOES", "REDECARD",
                                             "CRT NSU 000101 R$ 12,34 confirmed",
                                             "TOTAL CONFIRMADO R$ 12,34"};
    EXPECT_EQ(std::vector<std::string>(paper.begin() + 6, paper.end() - 3),
              (report + std::vector<std::string>{"", ""} + report));
}

// The undoing of sale 1001, made while the coupon `document` was the printer's.
std::string undoRequest(const std::string& document) {
    return "000-000 = NCN\r\n001-000 = 1001\r\n002-000 = " + document +
           "\r\n010-000 = REDECARD\r\n012-000 = 000101\r\n027-000 = CTRL0001011001\r\n"
           "999-999 = 0";
}

const std::pair<std::string, PromptStyle> kPrintAgain = {
    cp1252("Impressora não responde.\r\nTentar imprimir novamente?"), PromptStyle::YesNoQuestion};
const std::pair<std::string, PromptStyle> kUndone = {
    cp1252("Transação Cancelada:\nDocumento No: 000101\nRede : REDECARD\nValor : 40,00"),
    PromptStyle::Information};

TEST_F(TefTest, PrinterStoppingMidVoucherUndoesTheSale) {
    couponPaidByCard();
    ASSERT_EQ(Quelmar_FITEF_VendaCartao("1001", "40,00"), 1);
    ASSERT_EQ(Quelmar_FI_TerminaFechamentoCupom(""), 1);
    int lines = 0;
    watchVoucherLines([&] {
        if (++lines == 5) line.goSilent();
    });
    EXPECT_EQ(Quelmar_FITEF_ImprimeTEF("1001", "Cartao", "40,00"), 1);
    EXPECT_EQ(manager->requests().back().text, undoRequest("001235"));
    EXPECT_EQ(manager->transactions().at(0).state, TransactionState::Undone);
    EXPECT_EQ(tefKey("STATUS"), "0");
    EXPECT_EQ(prompts(), (std::vector{kPrintAgain, kUndone}));
    EXPECT_EQ(residues(), std::vector<std::string>{});
    // The receipt may still be open on the printer: the next Yanco coupon closes it first.
    EXPECT_TRUE(core::state().tef.pendingClose);
}

TEST_F(TefTest, RefusedLinesAreNotTakenForPrinted) {
    // No card payment in the last coupon: the printer refuses the bound receipt for it and for
    // the twenty coupons before, then every line of the voucher.
    ASSERT_EQ(Quelmar_FITEF_VendaCartao("1001", "40,00"), 1);
    platform.answers = {PromptAnswer::Yes, PromptAnswer::No};
    EXPECT_EQ(Quelmar_FITEF_ImprimeTEF("1001", "Cartao", "40,00"), 1);
    // Tried again once: the receipt opened anew for the coupon and the twenty before it.
    EXPECT_EQ(std::ranges::count_if(
                  line.frames(), [](const std::string& f) { return f.size() > 4 && f[4] == 'B'; }),
              2 * 21);
    EXPECT_EQ(prompts(), (std::vector{kPrintAgain, kPrintAgain, kUndone}));
    EXPECT_EQ(manager->requests().back().text, undoRequest("001234"));
}

TEST_F(TefTest, PrinterWaitsEndWithTheOperator) {
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
