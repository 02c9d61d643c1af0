// Programming, cheques, authentication and the passenger ticket through the exports against the
// virtual printer: what is programmed is read back by the queries and followed by the sales, the
// cheque lands on the slip, and the ticket is sold like a coupon.
#include "quelfi32.h"
#include "sim/quelmar/codes.h"
#include "sim/quelmar/receipt_layout.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

using Lines = std::vector<std::string>;

class SimProgrammingDay : public VirtualPrinterTest {
  protected:
    void SetUp() override {
        VirtualPrinterTest::SetUp();
        connect("StatusFuncao=1\n[Formato]\n001=1;2;3;4;5;6;7;8;9;10;11;12;13\n");
        printer.update([](sim::FiscalModel& m) {
            sim::applySeed(m, "rates=7.00; currency.singular=Peso; currency.plural=Pesos");
        });
    }
    void sell(const char* rate, const char* quantity, const char* price) {
        const char* type = std::string(quantity).find(',') == std::string::npos ? "I" : "F";
        ASSERT_EQ(Quelmar_FI_VendeItem("1", "ITEM", rate, type, quantity, 2, price, "$", "0"), 1);
    }
    void insertDocument() {
        printer.update([](sim::FiscalModel& m) {
            m.chequeSensor = sim::codes::kChequeDocumentPresent |
                             sim::codes::kChequeDocumentAligned | sim::codes::kChequeUnderHead;
        });
    }
    std::string status() {
        short ack = 0, st1 = 0, st2 = 0;
        EXPECT_EQ(Quelmar_FI_RetornoImpressora(&ack, &st1, &st2), 1);
        return std::to_string(ack) + "," + std::to_string(st1) + "," + std::to_string(st2);
    }
    short chequeStatus() {
        short status = 0;
        EXPECT_EQ(Quelmar_FI_VerificaStatusCheque(&status), 1);
        return status;
    }
};

TEST_F(SimProgrammingDay, ProgrammedAfterTheReductionReadBackAndSold) {
    // A sale reads the rate table into the library's cache; the day is then closed.
    ASSERT_EQ(Quelmar_FI_AbreCupom(""), 1);
    sell("07,00", "1", "10,00");
    ASSERT_EQ(Quelmar_FI_FechaCupom("Dinheiro", "A", "$", "0", "10,00", ""), 1);
    ASSERT_EQ(Quelmar_FI_ReducaoZ("", ""), 1);

    EXPECT_EQ(Quelmar_FI_ProgramaAliquota("18,00", 0), 1);
    // Rates travel as their digits completed on the right: 5 % is "05,00" (or "5").
    EXPECT_EQ(Quelmar_FI_ProgramaAliquota("05,00", 1), 1);
    EXPECT_EQ(Quelmar_FI_NomeiaDepartamento(3, "Padaria"), 1);
    EXPECT_EQ(Quelmar_FI_NomeiaTotalizadorNaoSujeitoIcms(2, "Conta de Luz"), 1);
    EXPECT_EQ(Quelmar_FI_ProgramaMoedaSingular("Real"), 1);
    EXPECT_EQ(Quelmar_FI_ProgramaMoedaPlural("Reais"), 1);
    EXPECT_EQ(Quelmar_FI_ProgramaTruncamento(), 1);
    EXPECT_EQ(Quelmar_FI_ProgramaHorarioVerao(), 1);
    EXPECT_EQ(Quelmar_FI_AlteraSimboloMoeda("$"), 1);
    EXPECT_EQ(Quelmar_FI_LinhasEntreCupons(2), 1);

    EXPECT_EQ(answer(Quelmar_FI_SimboloMoeda), "$ ");
    EXPECT_EQ(answer(Quelmar_FI_RetornoAliquotas), "03070018000500" + std::string(52, '0'));
    EXPECT_EQ(answer(Quelmar_FI_VerificaAliquotasIss), "0500");
    EXPECT_EQ(answer(Quelmar_FI_VerificaDepartamentos).substr(102, 50),
              std::string(40, '0') + "Padaria   ");
    EXPECT_EQ(answer(Quelmar_FI_VerificaTotalizadoresNaoFiscais).substr(19, 19),
              "Conta de Luz       ");
    EXPECT_EQ(answer(Quelmar_FI_VerificaTruncamento), "1");
    short flags = 0;
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&flags), 1);
    EXPECT_EQ(flags, 4 + 8);  // daylight saving, the day reduced
    std::string date(7, '\0'), time(7, '\0');
    EXPECT_EQ(Quelmar_FI_DataHoraImpressora(date.data(), time.data()), 1);
    EXPECT_EQ(time.c_str(), std::string("113045"));

    // The next morning the new rate sells, truncated: 1,5 x 0,99 is 1,48.
    printer.update([](sim::FiscalModel& m) { m.clock.set({{2024, 3, 16}, 8, 0, 0}); });
    ASSERT_EQ(Quelmar_FI_AbreCupom(""), 1);
    sell("18,00", "1,500", "0,99");
    EXPECT_EQ(answer(Quelmar_FI_SubTotal), "00000000000148");
    ASSERT_EQ(Quelmar_FI_FechaCupom("Dinheiro", "A", "$", "0", "1,48", ""), 1);
    // Two lines fed after the coupon, until the reset puts the mechanism back.
    const Lines paper = printer.paper().lines();
    EXPECT_EQ(Lines(paper.end() - 3, paper.end()),
              (Lines{sim::layout::foot(printer.model())[2], "", ""}));
    EXPECT_EQ(Quelmar_FI_ResetaImpressora(), 1);
    EXPECT_EQ(printer.model().linesAfterDocument, 0);

    // The day has movement now: its rates, rounding and clock stay as they are.
    EXPECT_EQ(Quelmar_FI_ProgramaAliquota("12,00", 0), -27);
    EXPECT_EQ(status(), "6,0,1");
    EXPECT_EQ(Quelmar_FI_ProgramaArredondamento(), -27);
    EXPECT_EQ(Quelmar_FI_ProgramaHorarioVerao(), -27);
    EXPECT_EQ(Quelmar_FI_NomeiaDepartamento(4, "Bebidas"), 1);
    const sim::FiscalModel m = printer.model();
    EXPECT_EQ(m.taxRates.size(), 3u);
    EXPECT_TRUE(m.truncation && m.daylightSaving);
    // A full table takes no more rates.
    printer.update([](sim::FiscalModel& m) {
        sim::applySeed(m, "movement=none; rates=1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16");
    });
    EXPECT_EQ(Quelmar_FI_ProgramaAliquota("12,00", 0), -27);
    EXPECT_EQ(status(), "6,0,9");
}

TEST_F(SimProgrammingDay, ChequeOnTheSlipOrWaitingUntilCancelled) {
    insertDocument();
    EXPECT_EQ(chequeStatus(), 1);
    printer.paper().clear();
    EXPECT_EQ(Quelmar_FI_ImprimeCheque("001", "2,00", "Ana", "Rio", "060524", ""), 1);
    const std::string rule = sim::layout::rule();
    EXPECT_EQ(printer.paper().lines(),
              (Lines{rule, std::string(21, ' ') + "CHEQUE", std::string(41, ' ') + "R$ 2,00",
                     "DOIS PESOS", "PAGUE A: Ana", std::string(25, ' ') + "RIO, 06 DE MAIO DE 2024",
                     rule}));
    EXPECT_EQ(chequeStatus(), 2);
    EXPECT_EQ(Quelmar_FI_ProgramaMoedaPlural("Reais"), 1);
    printer.paper().clear();
    EXPECT_EQ(Quelmar_FI_ImprimeCheque("001", "2,00", "Ana", "Rio", "060524", ""), 1);
    EXPECT_EQ(chequeStatus(), 4);
    insertDocument();
    EXPECT_EQ(printer.paper().lines().at(3), "DOIS REAIS");

    EXPECT_EQ(Quelmar_FI_ImprimeCheque("001", "2,00", "Ana", "Rio", "060524", ""), 1);
    EXPECT_EQ(chequeStatus(), 4);
    EXPECT_EQ(Quelmar_FI_ImprimeCheque("001", "2,00", "Ana", "Rio", "060524", ""), -27);
    EXPECT_EQ(Quelmar_FI_CancelaImpressaoCheque(), 1);
    EXPECT_EQ(chequeStatus(), 2);

    // Authentication wants its character and a document.
    EXPECT_EQ(Quelmar_FI_Autenticacao(), -27);
    EXPECT_EQ(Quelmar_FI_ProgramaCaracterAutenticacao("1,2,4,8,16,32,64,128,255,0,0,0,0,0,0,0,0,0"),
              1);
    insertDocument();
    printer.paper().clear();
    EXPECT_EQ(Quelmar_FI_Autenticacao(), 1);
    EXPECT_EQ(chequeStatus(), 2);
    // Each column a byte, its value 1 on the top row.
    EXPECT_EQ(printer.paper().lines(),
              (Lines{"#       #", " #      #", "  #     #", "   #    #", "    #   #", "     #  #",
                     "      # #", "       ##", "AUT 001234 15/03/2024 10:30:45 QM0123456789"}));
}

TEST_F(SimProgrammingDay, PassengerTicketSoldAndClosed) {
    ASSERT_EQ(Quelmar_FI_AbreBilhetePassagem("1", "1", "Rodovi\xE1ria", "Campinas", "1045", "", "",
                                             "Tiet\xEA", "15032024", "104500", "7", "3"),
              1);
    sell("07,00", "1", "45,00");
    ASSERT_EQ(Quelmar_FI_FechaCupom("Dinheiro", "A", "$", "0", "50,00", ""), 1);
    EXPECT_EQ(answer(Quelmar_FI_ContadorBilhetePassagem), "000001");
    EXPECT_EQ(answer(Quelmar_FI_NumeroCupom), "001235");
    const Lines paper = printer.paper().lines();
    EXPECT_EQ(Lines(paper.begin() + 5, paper.begin() + 12),
              (Lines{sim::layout::centred("BILHETE DE PASSAGEM"), "EMBARQUE: RODOVIÁRIA",
                     "DESTINO: CAMPINAS", "LINHA: 1045", "AGÊNCIA: Tietê",
                     sim::layout::spread("DATA: 15/03/24  HORA: 10:45:00", "POLTRONA: 07"),
                     "PLATAFORMA: 3"}));
    EXPECT_EQ(Lines(paper.end() - 5, paper.end() - 2),
              (Lines{sim::layout::spread("TROCO R$", "5,00"),
                     sim::layout::spread("VALOR DA PASSAGEM R$", "45,00"), sim::layout::rule()}));
}

}  // namespace
}  // namespace quelfi::test
