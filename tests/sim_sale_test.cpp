// Sales and a whole fiscal day made through the library's exports against the virtual printer:
// what the printer keeps, what the queries read back, the paper roll, the wire and the INI.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/printer_state.h"
#include "quelfi32.h"
#include "sim/quelmar/codes.h"
#include "sim/quelmar/fiscal_day.h"
#include "sim/quelmar/in_process_port.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/wire_bytes.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

class SimSaleTest : public VirtualPrinterTest {};

TEST_F(SimSaleTest, CompleteSaleLeavesCountersTotalsAndCoupon) {
    connect("StatusFuncao=1\n");  // every step must be answered with a clean status
    ASSERT_EQ(Quelmar_FI_AbreCupom("123.456.789-09"), 1);
    // 2 x 10,00 less 10 %.
    ASSERT_EQ(Quelmar_FI_VendeItem("7891000100103", "ARROZ TIPO 1", "18,00", "I", "2", 2, "10,00",
                                   "%", "10"),
              1);
    // 1,500 kg x 8,99 = 13,49 less 0,50, with a longer description.
    ASSERT_EQ(Quelmar_FI_UsaUnidadeMedida("KG"), 1);
    ASSERT_EQ(Quelmar_FI_AumentaDescricaoItem(
                  cp1252("FEIJÃO PRETO TIPO 1 SELECIONADO PACOTE ECONÔMICO SAFRA NOVA").c_str()),
              1);
    ASSERT_EQ(Quelmar_FI_VendeItem("7891000200200", cp1252("FEIJÃO").c_str(), "07,00", "F", "1,500",
                                   3, "8,99", "$", "0,50"),
              1);
    // 2 x 5,49 less 0,20 in the department of drinks.
    ASSERT_EQ(Quelmar_FI_VendeItemDepartamento("123", "REFRIGERANTE COLA 2L", "1800", "5,490",
                                               "2,000", "0", "0,20", "01", "UN"),
              1);
    ASSERT_EQ(Quelmar_FI_VendeItem("7891000300300", "LEITE INTEGRAL", "02", "I", "1", 2, "4,79",
                                   "$", "0"),
              1);
    ASSERT_EQ(Quelmar_FI_VendeItem("1", "SACOLA", "II", "I", "1", 2, "0,10", "$", "0"), 1);
    ASSERT_EQ(Quelmar_FI_CancelaItemGenerico("4"), 1);
    // 10 % on 41,87.
    ASSERT_EQ(Quelmar_FI_IniciaFechamentoCupom("A", "%", "10,00"), 1);
    ASSERT_EQ(Quelmar_FI_EfetuaFormaPagamento("Cartao", "20,00"), 1);
    ASSERT_EQ(Quelmar_FI_EfetuaFormaPagamento("Dinheiro        ", "30,00"), 1);
    ASSERT_EQ(Quelmar_FI_TerminaFechamentoCupom("Obrigado, volte sempre!"), 1);

    EXPECT_EQ(answer(Quelmar_FI_NumeroCupom), "001235");
    EXPECT_EQ(answer(Quelmar_FI_GrandeTotal), "000000000000105355");  // 1.000,00 + 49,36 + 4,19
    EXPECT_EQ(answer(Quelmar_FI_Descontos), "00000000000270");
    EXPECT_EQ(answer(Quelmar_FI_Acrescimos), "00000000000419");
    EXPECT_EQ(answer(Quelmar_FI_Cancelamentos), "00000000000479");
    EXPECT_EQ(answer(Quelmar_FI_NumeroCuponsCancelados), "0000");
    EXPECT_EQ(answer(Quelmar_FI_UltimoItemVendido), "0005");
    EXPECT_EQ(answer(Quelmar_FI_ValorPagoUltimoCupom), "00000000005000");
    // The surcharge is spread over the rates by their share; the rounding rest goes to the
    // largest item: T18 18,00 + 1,82 + 10,78 + 1,07, T07 12,99 + 1,29, II 0,10 + 0,01.
    const std::string zeros14 = std::string(14, '0');
    EXPECT_EQ(answer(Quelmar_FI_VerificaTotalizadoresParciais),
              "0000000000316700000000001428" + std::string(14 * 14, '0') + "," + "00000000000011," +
                  zeros14 + "," + zeros14 + "," + std::string(126, '0') + "," + zeros14 + "," +
                  zeros14 + "," + "000000000000105355");
    std::string value(15, '\0');
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Dinheiro", value.data()), 1);
    EXPECT_EQ(value.c_str(), std::string("00000000003000"));
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Cartao", value.data()), 1);
    EXPECT_EQ(value.c_str(), std::string("00000000002000"));
    EXPECT_EQ(answer(Quelmar_FI_VerificaDepartamentos).substr(0, 50),
              "0000000000000000107800000000000000002000Bebidas   ");
    short flags = 0;
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&flags), 1);
    EXPECT_EQ(flags, 32);  // no coupon open; the last one may still be cancelled

    EXPECT_EQ("\n" + printer.paper().text(), R"(
          SUPERMERCADO BOM PREÇO LTDA
CNPJ: 12.345.678/0001-90
IE: 110.042.490.114
------------------------------------------------
15/03/2024 10:30:45                   COO:001235
                  CUPOM FISCAL
CPF/CNPJ consumidor: 123.456.789-09
------------------------------------------------
ITEM CÓDIGO DESCRIÇÃO
QTD. UN. x VL UNIT(R$)       ST      VL ITEM(R$)
------------------------------------------------
001 7891000100103 ARROZ TIPO 1
    2 x 10,00                T18,00%       20,00
    desconto 10,00%                        -2,00
002 7891000200200 FEIJÃO PRETO TIPO 1
    SELECIONADO PACOTE ECONÔMICO SAFRA NOVA
    1,500 KG x 8,99          T07,00%       13,49
    desconto                               -0,50
003 123 REFRIGERANTE COLA 2L
    2,000 UN x 5,49          T18,00%       10,98
    DEPTO 01 Bebidas
    desconto                               -0,20
004 7891000300300 LEITE INTEGRAL
    1 x 4,79                 T07,00%        4,79
005 1 SACOLA
    1 x 0,10                 II             0,10
CANCELAMENTO ITEM 004                      -4,79
SUBTOTAL R$                                41,87
ACRÉSCIMO 10,00%                           +4,19
TOTAL R$                                   46,06
Cartao                                     20,00
Dinheiro                                   30,00
TROCO R$                                    3,94
------------------------------------------------
Obrigado, volte sempre!
------------------------------------------------
QUELMAR ECF                    FAB: QM0123456789
VERSAO 01.03.00                  LJ:0001 CX:0007
)");
}

TEST_F(SimSaleTest, CompositeClosingsEndToEnd) {
    connect("StatusFuncao=1\n[MFD]\nImpressora=1\n");
    ASSERT_EQ(Quelmar_FI_AbreCupom(nullptr), 1);
    // The long opening: 141 bytes, the prefix, the command byte and zeros for CPF, name, address.
    ASSERT_EQ(port.frames().back().size(), 3u + 141 + 2);
    EXPECT_EQ(port.frames().back().substr(3, 141), "\x1B" + std::string(140, '\0'));
    ASSERT_EQ(Quelmar_FI_VendeItem("10", "CAFE 500G", "18,00", "I", "3", 2, "12,50", "$", "0"), 1);
    ASSERT_EQ(Quelmar_FI_FechaCupom("Dinheiro        ", "D", "$", "1,50", "50,00", "Volte sempre"),
              1);
    const auto lines = printer.paper().lines();
    EXPECT_EQ(std::vector<std::string>(lines.end() - 10, lines.end()),
              (std::vector<std::string>{
                  "SUBTOTAL R$                                37,50",
                  "DESCONTO                                   -1,50",
                  "TOTAL R$                                   36,00",
                  "Dinheiro                                   50,00",
                  "TROCO R$                                   14,00",
                  std::string(48, '-'),
                  "Volte sempre",
                  std::string(48, '-'),
                  "QUELMAR ECF                    FAB: QM0123456789",
                  "VERSAO 01.03.00                  LJ:0001 CX:0007",
              }));
    // The item sale opens the coupon itself; the short closing pays the whole subtotal.
    // The port is already open, and the sale still makes sure of it after the opening.
    printer.paper().clear();
    std::filesystem::remove(workDir() + "/QuelFI32.log");
    core::state().type60StartRecorded = true;  // the opening reads only the COO
    ASSERT_EQ(Quelmar_FI_VendeItem("20", "TAXA DE ENTREGA", "05,00", "I", "1", 2, "8,00", "$", "0"),
              1);
    EXPECT_EQ(workLog(),
              logLines({std::string(71, '-') + " ", "Quelmar_FI_VendeItem ",
                        "Quelmar_FI_AbreCupom ", "Parâmetro: 0", "Quelmar_FI_NumeroCupom ",
                        "Retorno impressora: 001235", "Retorno Quelmar_FI_NumeroCupom: 1",
                        "Retorno Quelmar_FI_AbreCupom: 1", "Quelmar_FI_AbrePortaSerial ",
                        "Parâmetro: COM1", "Retorno Quelmar_FI_AbrePortaSerial: 1",
                        "Parâmetros: 20|TAXA DE ENTREGA|05,00|I|1|2|8,00|$|0|",
                        "Retorno Quelmar_FI_VendeItem: 1"}));
    ASSERT_EQ(Quelmar_FI_FechaCupomResumido("Cartao", "Obrigado"), 1);
    EXPECT_EQ(answer(Quelmar_FI_ValorPagoUltimoCupom), "00000000000800");
    // The coupon just closed may still be cancelled, by a document of its own.
    ASSERT_EQ(Quelmar_FI_CancelaCupom(), 1);

    EXPECT_EQ(answer(Quelmar_FI_NumeroCupom), "001237");
    EXPECT_EQ(answer(Quelmar_FI_NumeroCuponsCancelados), "0001");
    EXPECT_EQ(answer(Quelmar_FI_GrandeTotal), "000000000000104550");
    EXPECT_EQ(answer(Quelmar_FI_Descontos), "00000000000150");
    EXPECT_EQ(answer(Quelmar_FI_Cancelamentos), "00000000000800");
    EXPECT_EQ(answer(Quelmar_FI_VerificaTotalizadoresParciais).substr(0, 3 * 14),
              "00000000003600" + std::string(28, '0'));
    std::string value(15, '\0');
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Dinheiro", value.data()), 1);
    EXPECT_EQ(value.c_str(), std::string("00000000005000"));
    EXPECT_EQ(Quelmar_FI_ValorFormaPagamento("Cartao", value.data()), 1);
    EXPECT_EQ(value.c_str(), std::string("00000000000000"));
    short flags = -1;
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&flags), 1);
    EXPECT_EQ(flags, 0);

    EXPECT_EQ("\n" + printer.paper().text(), R"(
          SUPERMERCADO BOM PREÇO LTDA
CNPJ: 12.345.678/0001-90
IE: 110.042.490.114
------------------------------------------------
15/03/2024 10:30:45                   COO:001236
                  CUPOM FISCAL
------------------------------------------------
ITEM CÓDIGO DESCRIÇÃO
QTD. UN. x VL UNIT(R$)       ST      VL ITEM(R$)
------------------------------------------------
001 20 TAXA DE ENTREGA
    1 x 8,00                 S05,00%        8,00
TOTAL R$                                    8,00
Cartao                                      8,00
------------------------------------------------
Obrigado
------------------------------------------------
QUELMAR ECF                    FAB: QM0123456789
VERSAO 01.03.00                  LJ:0001 CX:0007
          SUPERMERCADO BOM PREÇO LTDA
CNPJ: 12.345.678/0001-90
IE: 110.042.490.114
------------------------------------------------
15/03/2024 10:30:45                   COO:001237
          CANCELAMENTO DE CUPOM FISCAL
COO DO CUPOM CANCELADO                    001236
VALOR CANCELADO R$                          8,00
------------------------------------------------
QUELMAR ECF                    FAB: QM0123456789
VERSAO 01.03.00                  LJ:0001 CX:0007
)");
}

// Each step out of order is refused by the printer with "not executed" and the reason's bits,
// changes nothing, and comes back from the library as -27 under StatusFuncao.
TEST_F(SimSaleTest, RefusedStepsReportTheirStatusBits) {
    connect("StatusFuncao=1\n");
    auto open = [] { EXPECT_EQ(Quelmar_FI_AbreCupom(""), 1); };
    auto sell = [] {
        EXPECT_EQ(Quelmar_FI_VendeItem("1", "CAFE", "18,00", "I", "1", 2, "12,50", "$", "0"), 1);
    };
    auto startClosing = [] { EXPECT_EQ(Quelmar_FI_IniciaFechamentoCupom("A", "$", "0"), 1); };
    struct Case {
        const char* name;
        std::function<void()> before;
        std::function<int()> refused;
        short st1, st2;
    };
    const Case cases[] = {
        {"payment without a coupon", [] {},
         [] { return Quelmar_FI_EfetuaFormaPagamento("Dinheiro        ", "10,00"); }, 0, 1},
        {"rate slot not programmed", open,
         [] { return Quelmar_FI_VendeItem("1", "CAFE", "05", "I", "1", 2, "1,00", "$", "0"); }, 0,
         16 + 1},
        {"second opening", open, [] { return Quelmar_FI_AbreCupom(""); }, 2, 1},
        {"discount as large as the item", open,
         [] {
             return Quelmar_FI_VendeItem("1", "CAFE", "18,00", "I", "1", 2, "1,00", "$", "1,00");
         },
         0, 128 + 1},
        {"item after the closing started", [&] { open(), sell(), startClosing(); },
         [] { return Quelmar_FI_VendeItem("2", "CHA", "18,00", "I", "1", 2, "3,00", "$", "0"); }, 0,
         1},
        {"closing before the total is paid",
         [&] {
             open(), sell(), startClosing();
             EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Dinheiro        ", "10,00"), 1);
         },
         [] { return Quelmar_FI_TerminaFechamentoCupom("Obrigado"); }, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        printer.update([](sim::FiscalModel& m) { m = sim::modelFromSeed(kShopSeed); });
        core::state().couponOpen = false;
        c.before();
        const sim::FiscalModel before = printer.model();
        const auto printed = printer.paper().lines();
        EXPECT_EQ(c.refused(), -27);
        short ack = 0, st1 = 0, st2 = 0;
        Quelmar_FI_RetornoImpressora(&ack, &st1, &st2);
        EXPECT_EQ((std::vector<short>{ack, st1, st2}), (std::vector<short>{6, c.st1, c.st2}));
        EXPECT_EQ(printer.model(), before);
        EXPECT_EQ(printer.paper().lines(), printed);
    }
    // Without StatusFuncao the same refusal is a done call; only the status tells.
    printer.update([](sim::FiscalModel& m) { m = sim::modelFromSeed(kShopSeed); });
    connect();
    EXPECT_EQ(Quelmar_FI_EfetuaFormaPagamento("Dinheiro        ", "10,00"), 1);
    short ack = 0, st1 = 0, st2 = 0;
    Quelmar_FI_RetornoImpressora(&ack, &st1, &st2);
    EXPECT_EQ((std::vector<short>{ack, st1, st2}), (std::vector<short>{6, 0, 1}));
}

using sim::FiscalModel;

// Two days already reduced (the grand total stands at 1.000,00), 15/03/2024 at 18:00.
const char* const kPrinter =
    "clock=15/03/2024 18:00:00; coo=40; crz=2; gt=1000.00; rates=18.00,5.00/ISS;"
    "payments=Dinheiro,Cartao/V; totalizers=Recebimento;"
    "z.1.crz=1; z.1.coo=20; z.1.gt=400.00; z.1.at=13/03/2024 22:00:00; z.1.movement=13/03/2024;"
    "z.2.crz=2; z.2.coo=30; z.2.gt=1000.00; z.2.at=14/03/2024 22:00:00; z.2.movement=14/03/2024";

class FiscalDayTest : public VirtualPrinterTest {
  protected:
    void SetUp() override {
        VirtualPrinterTest::SetUp();
        reseed(kPrinter);
    }
    // A coupon of 150,00 at 18 %, paid 100,00 in cash and 50,00 by card, as the sale leaves it.
    void sellCoupon() {
        printer.update([](FiscalModel& m) {
            const int coo = ++m.counters.coo;
            ++m.counters.ccf;
            m.taxRates[0].dayTotal += 15000;
            m.grandTotal += 15000;
            m.paymentForms[0].dayTotal += 10000;
            m.paymentForms[0].lastCoupon = 10000;
            m.paymentForms[1].dayTotal += 5000;
            m.paymentForms[1].lastCoupon = 5000;
            m.lastCouponPaid = 15000;
            m.lastCouponCoo = coo;
        });
    }
    void runDay() {
        EXPECT_EQ(Quelmar_FI_AberturaDoDia("200,00", "Dinheiro"), 1);
        EXPECT_EQ(Quelmar_FI_Sangria("50,00"), 1);
        EXPECT_EQ(Quelmar_FI_RecebimentoNaoFiscal("01", "30,00", "Dinheiro"), 1);
        sellCoupon();
        EXPECT_EQ(Quelmar_FI_AbreComprovanteNaoFiscalVinculado("Cartao", "50,00", "45"), 1);
        EXPECT_EQ(Quelmar_FI_UsaComprovanteNaoFiscalVinculado("TEF APROVADO\r\nVIA DO CLIENTE"), 1);
        EXPECT_EQ(Quelmar_FI_FechaComprovanteNaoFiscalVinculado(), 1);
        EXPECT_EQ(Quelmar_FI_RelatorioGerencial("Fechamento do caixa 01"), 1);
        EXPECT_EQ(Quelmar_FI_FechaRelatorioGerencial(), 1);
        EXPECT_EQ(Quelmar_FI_LeituraX(), 1);
        EXPECT_EQ(Quelmar_FI_FechamentoDoDia(), 1);
    }
    // What the day must have left in the printer and in the INI.
    void checkTheDayClosed() {
        const FiscalModel m = printer.model();
        sim::Reduction z;
        z.crz = 3;
        z.coo = 49;
        z.gnf = 5;
        z.grandTotal = 115000;
        z.madeAt = {{2024, 3, 15}, 18, 0, 0};
        z.movementDate = {2024, 3, 15};
        z.rates = {{1800, sim::TaxBinding::Icms, 15000}, {500, sim::TaxBinding::Iss, 0}};
        z.totals.withdrawals = 5000;
        z.totals.supplies = 20000;
        z.nonFiscalTotals[0] = 3000;
        z.nonFiscalCounts[0] = 1;
        ASSERT_EQ(m.reductions.size(), 3u);
        EXPECT_EQ(m.reductions[2], z);

        sim::Counters counters;
        counters.coo = 49;  // reading 41, supply 42, withdrawal 43, receipt 44, coupon 45,
                            // bound receipt 46, report 47, reading 48, reduction 49
        counters.crz = 3;
        counters.gnf = 5;
        counters.ccf = 1;
        counters.grg = 1;
        counters.cdc = 1;
        EXPECT_EQ(m.counters, counters);
        EXPECT_EQ(m.grandTotal, 115000);
        EXPECT_EQ(m.day, sim::DayTotals{});
        EXPECT_EQ(m.taxRates[0].dayTotal, 0);
        EXPECT_EQ(m.nonFiscalTotalizers[0], (sim::NonFiscalTotalizer{"Recebimento", 0, 0}));
        EXPECT_FALSE(m.movementDate);
        EXPECT_EQ(m.document, sim::DocumentState::None);

        EXPECT_EQ(ini(), configuredIni() +
                             "[RelatorioTipo60]\nGTInicial=000000000000100000\n"
                             "GTFinal=000000000000115000\n");
    }
};

// Every command of the day goes with the printer's prefix; the bytes of each are checked where
// the library sends it to a scripted printer.
void expectPrefix(const std::vector<std::string>& commands, char prefix) {
    for (const std::string& command : commands) EXPECT_EQ(command[0], prefix) << hex(command);
}

TEST_F(FiscalDayTest, DayOnAPrinterWithoutJournal) {
    configure();
    runDay();
    checkTheDayClosed();
    const std::vector<std::string> sent = commands();
    expectPrefix(sent, '\x1B');
    EXPECT_EQ(
        std::vector<std::string>(sent.end() - 5, sent.end()),
        (std::vector<std::string>{"\x1B>7", "\x1B\x05", "\x1B\x13", "\x1B#\x11", "\x1B#\x03"}));

    // A second reduction the same day is refused: the records keep the day they describe.
    const std::string records = ini();
    const std::size_t before = port.frames().size();
    EXPECT_EQ(Quelmar_FI_ReducaoZ(nullptr, nullptr), 1);
    EXPECT_EQ(commands(before), (std::vector<std::string>{"\x1B>7", "\x1B\x05"}));
    EXPECT_EQ(port.replies().back(), bytes({6, 0, sim::codes::kSt2NotExecuted}));
    EXPECT_EQ(ini(), records);
    EXPECT_EQ(printer.model().reductions.size(), 3u);
    // Nor is any cash taken before midnight.
    EXPECT_EQ(Quelmar_FI_Suprimento("10,00", nullptr), 1);
    EXPECT_EQ(port.replies().back(), bytes({6, 0, sim::codes::kSt2NotExecuted}));

    // The fiscal memory now holds the three days.
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalReducao("1", "3"), 1);
    const std::vector<std::string> paper = printer.paper().lines();
    const std::vector<std::string> summary(paper.end() - 5, paper.end() - 3);
    EXPECT_EQ(summary,
              (std::vector<std::string>{"REDUÇÕES NO PERÍODO                         0003",
                                        "VENDA BRUTA NO PERÍODO                  1.150,00"}));
}

TEST_F(FiscalDayTest, DayOnAJournalPrinterWaitsForTheReductionToFinish) {
    printer.update([](FiscalModel& m) { m.electronicJournal = true; });
    configure("[MFD]\nImpressora=1\n");
    core::state().mfdPrinter = true;  // as the journal's extended replies are switched on
    const std::uint64_t sleptBefore = platform.slept();
    runDay();
    checkTheDayClosed();

    // After the reduction the status is asked until the journal is written.
    const std::vector<std::string> sent = commands();
    expectPrefix(sent, '\x1C');
    const std::size_t firstPoll =
        std::find(sent.begin(), sent.end(), "\x1C\x05") - sent.begin() + 1;
    ASSERT_GT(sent.size(), firstPoll + 6);
    EXPECT_EQ(sent.back(), "\x1C#\x03");
    const std::vector<std::string> polls(sent.begin() + firstPoll, sent.end() - 1);
    EXPECT_EQ(polls, std::vector<std::string>(polls.size(), "\x1C\x13"));
    std::size_t busy = 0;
    const std::vector<std::string>& replies = port.replies();
    for (std::size_t i = firstPoll; i < firstPoll + polls.size(); ++i) {
        const bool executing = replies[i] == bytes({6, 0, 0, 9, 0});
        if (executing) ++busy;
        // Every "still executing" answer comes before the five "ready" ones that end the wait.
        EXPECT_EQ(executing, i < firstPoll + polls.size() - 5) << i;
    }
    EXPECT_GE(busy, 1u);
    EXPECT_GE(platform.slept() - sleptBefore, sim::kReductionBusyMs);
    EXPECT_FALSE(core::state().longWaitActive);
}

}  // namespace
}  // namespace quelfi::test
