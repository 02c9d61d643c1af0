// A restaurant's evening through the library's exports against the virtual printer with the
// restaurant firmware: the tables it keeps, what it prints and streams back, the table's coupon
// and its split, the ready line held low while a long order prints, and what it refuses.
#include <gtest/gtest.h>

#include <functional>

#include "quelfi32.h"
#include "sim/quelmar/restaurant_text.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

class RestaurantSimTest : public VirtualPrinterTest {
  protected:
    void SetUp() override {
        VirtualPrinterTest::SetUp();
        seed("firmware=03.20.00");
        connect("StatusFuncao=1\n");  // a command the printer refuses gives -27
    }
    void seed(const std::string& text) {
        printer.update([&](sim::FiscalModel& m) { ASSERT_FALSE(sim::applySeed(m, text)); });
    }
    std::string freeMemory() {
        char free[5] = {};
        EXPECT_EQ(Quelmar_FIR_VerificaMemoriaLivre(free), 1);
        return free;
    }
    // The status bytes of the last reply.
    std::pair<short, short> status() {
        short ack = 0, st1 = 0, st2 = 0;
        Quelmar_FI_RetornoImpressora(&ack, &st1, &st2);
        return {st1, st2};
    }
    std::string answerFile() { return readFile(workDir() + "/Retorno.txt"); }
};

TEST_F(RestaurantSimTest, TablesEveningFromOrdersToTheSplitBill) {
    EXPECT_EQ(freeMemory(), "0500");
    // 2 x 30,00 and 2 x 8,00 on table 1; 1,500 x 20,00 and 10,00 less 0,50 on table 2.
    EXPECT_EQ(
        Quelmar_FIR_RegistraVenda("1", "101", "PRATO DO DIA", "1800", "2,000", "30,00", "D", "0"),
        1);
    EXPECT_EQ(Quelmar_FIR_RegistraVenda("1", "201", "SUCO", "0700", "2,000", "8,00", "D", "0"), 1);
    EXPECT_EQ(Quelmar_FIR_RegistraVenda("2", "301", "CHOPP", "1", "1,500", "20,00", "D", "0"), 1);
    EXPECT_EQ(Quelmar_FIR_RegistraVenda("2", "401", "PUDIM", "1800", "1,000", "10,00", "D", "0,50"),
              1);
    EXPECT_EQ(Quelmar_FIR_CancelaVenda("1", "201", "SUCO", "0700", "1,000", "8,00", "D", "0"), 1);
    EXPECT_EQ(freeMemory(), "0496");
    EXPECT_EQ(Quelmar_FIR_TransferenciaItem("2", "401", "PUDIM", "1800", "1,000", "10,00", "D",
                                            "0,50", "1"),
              1);
    EXPECT_EQ(Quelmar_FIR_RegistroVendaSerial("2"), 1);
    EXPECT_EQ(answerFile(),
              "MESA0002001000000003000\r\n"
              "00000000000301CHOPP            0100000150000002000A00000000000000003000\r\n");
    EXPECT_EQ(Quelmar_FIR_TransferenciaMesa("2", "1"), 1);
    EXPECT_EQ(Quelmar_FIR_RelatorioMesasAbertasSerial(), 1);
    EXPECT_EQ(answerFile(),
              "MESA0001004000000010750\r\n"
              "00000000000101PRATO DO DIA     0100000200000003000A00000000000000006000\r\n"
              "00000000000201SUCO             0200000100000000800A00000000000000000800\r\n"
              "00000000000401PUDIM            0100000100000001000D00000050000000000950\r\n"
              "00000000000301CHOPP            0100000150000002000A00000000000000003000\r\n");

    printer.paper().clear();
    EXPECT_EQ(Quelmar_FIR_ConferenciaMesa("1", "D", "%", "10,00"), 1);
    EXPECT_EQ(Quelmar_FIR_AbreCupomRestaurante("1", "123.456.789-09"), 1);
    // 107,50 less 10 % is 96,75: values that do not add up are refused after the payments...
    EXPECT_EQ(Quelmar_FIR_FechaCupomContaDividida("3", "D", "%", "10,00", "Dinheiro;Cartao",
                                                  "50,00;46,75", "30,00;30,00;36,00", nullptr),
              -27);
    EXPECT_EQ(status(), std::make_pair(short{0}, short{129}));
    // ... and the coupon, paid, waits for the split that adds up.
    EXPECT_EQ(Quelmar_FIR_ContaDividida("3", "32,25;32,25;32,25",
                                        "111.111.111-11;222.222.222-22;333.333.333-33"),
              1);
    EXPECT_EQ("\n" + printer.paper().text(), R"(
          SUPERMERCADO BOM PREÇO LTDA
CNPJ: 12.345.678/0001-90
IE: 110.042.490.114
------------------------------------------------
15/03/2024 10:30:45                   COO:001235
              CONFERÊNCIA DE MESA
MESA 0001
------------------------------------------------
101 PRATO DO DIA
    2 x 30,00                 T18,00%      60,00
201 SUCO
    1 x 8,00                  T07,00%       8,00
401 PUDIM
    1 x 10,00                 T18,00%      10,00
    desconto                               -0,50
301 CHOPP
    1,500 x 20,00             T18,00%      30,00
------------------------------------------------
SUBTOTAL R$                               107,50
DESCONTO 10,00%                           -10,75
TOTAL R$                                   96,75
             NÃO É DOCUMENTO FISCAL
------------------------------------------------
QUELMAR ECF                    FAB: QM0123456789
VERSAO 03.20.00                  LJ:0001 CX:0007
          SUPERMERCADO BOM PREÇO LTDA
CNPJ: 12.345.678/0001-90
IE: 110.042.490.114
------------------------------------------------
15/03/2024 10:30:45                   COO:001236
                  CUPOM FISCAL
CPF/CNPJ consumidor: 123.456.789-09
------------------------------------------------
ITEM CÓDIGO DESCRIÇÃO
QTD. UN. x VL UNIT(R$)       ST      VL ITEM(R$)
------------------------------------------------
001 101 PRATO DO DIA
    2 x 30,00                T18,00%       60,00
002 201 SUCO
    1 x 8,00                 T07,00%        8,00
003 401 PUDIM
    1 x 10,00                T18,00%       10,00
    desconto                               -0,50
004 301 CHOPP
    1,500 x 20,00            T18,00%       30,00
SUBTOTAL R$                               107,50
DESCONTO 10,00%                           -10,75
TOTAL R$                                   96,75
Dinheiro                                   50,00
Cartao                                     46,75
------------------------------------------------
                 CONTA DIVIDIDA
COO:001236                        PAGANTE 1 DE 3
VALOR R$                                   32,25
CPF: 111.111.111-11
------------------------------------------------
                 CONTA DIVIDIDA
COO:001236                        PAGANTE 2 DE 3
VALOR R$                                   32,25
CPF: 222.222.222-22
------------------------------------------------
                 CONTA DIVIDIDA
COO:001236                        PAGANTE 3 DE 3
VALOR R$                                   32,25
CPF: 333.333.333-33
------------------------------------------------
QUELMAR ECF                    FAB: QM0123456789
VERSAO 03.20.00                  LJ:0001 CX:0007
)");
    EXPECT_EQ(answer(Quelmar_FI_NumeroCupom), "001236");
    EXPECT_EQ(answer(Quelmar_FI_ValorPagoUltimoCupom), "00000000009675");
    EXPECT_EQ(answer(Quelmar_FI_Descontos), "00000000001125");
    EXPECT_EQ(freeMemory(), "0500");
}

TEST_F(RestaurantSimTest, ReadyLineHeldLowWhileTheTablesOrderPrints) {
    // 120 dishes and the coupon's heading print 250 lines: 25 s, longer than the 20 s an ordinary
    // command may keep the line low.
    std::string dishes;
    for (int n = 1; n <= 120; ++n)
        dishes += "table.7." + std::to_string(n) + "=" + std::to_string(n) + ",PRATO,01,1,10.00,0;";
    seed(dishes);
    const std::uint64_t before = platform.slept();
    EXPECT_EQ(Quelmar_FIR_AbreCupomRestaurante("7", ""), 1);
    const std::uint64_t waited = platform.slept() - before;
    EXPECT_GE(waited, 25000u);
    EXPECT_LT(waited, 26000u);
    EXPECT_EQ(answer(Quelmar_FI_UltimoItemVendido), "0120");
    EXPECT_EQ(freeMemory(), "0500");
    // Closed like any coupon.
    EXPECT_EQ(Quelmar_FIR_FechaCupomResumidoRestaurante("Dinheiro", ""), 1);
    EXPECT_EQ(answer(Quelmar_FI_ValorPagoUltimoCupom), "00000000120000");
}

TEST_F(RestaurantSimTest, MenuAndOpenTablesPrintedAndStreamed) {
    seed(
        "menu.1=101,PRATO DO DIA,01,30.00; menu.2=7891000100103,ÁGUA,II,3.50; "
        "table.9.1=101,PRATO DO DIA,01,1,30.00,1.00");
    printer.paper().clear();
    EXPECT_EQ(Quelmar_FIR_ImprimeCardapio(), 1);
    EXPECT_EQ(Quelmar_FIR_RelatorioMesasAbertas(0), 1);
    EXPECT_EQ("\n" + printer.paper().text(), R"(
          SUPERMERCADO BOM PREÇO LTDA
CNPJ: 12.345.678/0001-90
IE: 110.042.490.114
------------------------------------------------
15/03/2024 10:30:45                   COO:001235
                    CARDÁPIO
------------------------------------------------
101 PRATO DO DIA              T18,00%      30,00
7891000100103 ÁGUA            II            3,50
------------------------------------------------
QUELMAR ECF                    FAB: QM0123456789
VERSAO 03.20.00                  LJ:0001 CX:0007
          SUPERMERCADO BOM PREÇO LTDA
CNPJ: 12.345.678/0001-90
IE: 110.042.490.114
------------------------------------------------
15/03/2024 10:30:45                   COO:001236
           RELATÓRIO DE MESAS ABERTAS
------------------------------------------------
MESA 0009                                  31,00
------------------------------------------------
MESAS ABERTAS                                  1
TOTAL R$                                   31,00
------------------------------------------------
QUELMAR ECF                    FAB: QM0123456789
VERSAO 03.20.00                  LJ:0001 CX:0007
)");
    EXPECT_EQ(Quelmar_FIR_CardapioPelaSerial(), 1);
    EXPECT_EQ(answerFile(), cp1252("00000000000101PRATO DO DIA     0100003000\r\n"
                                   "07891000100103ÁGUA             II00000350\r\n"));
}

TEST_F(RestaurantSimTest, PrinterRefusesWhatItCannotDo) {
    seed("table.3.1=101,PRATO,01,1.000,30.00,0.00");
    const struct {
        const char* what;
        std::function<int()> call;
        std::pair<short, short> status;
    } cases[] = {
        {"a dish the table lacks",
         [] {
             return Quelmar_FIR_CancelaVenda("3", "102", "PRATO", "01", "1,000", "30,00", "D", "");
         },
         {0, 5}},
        {"more than the table holds",
         [] {
             return Quelmar_FIR_CancelaVenda("3", "101", "PRATO", "01", "2,000", "30,00", "D", "");
         },
         {0, 5}},
        {"a rate slot not programmed",
         [] {
             return Quelmar_FIR_RegistraVenda("3", "101", "PRATO", "05", "1,000", "30,00", "D", "");
         },
         {0, 17}},
        {"the coupon of a table not open",
         [] { return Quelmar_FIR_AbreCupomRestaurante("4", ""); },
         {0, 1}},
        {"a split without a paid coupon",
         [] { return Quelmar_FIR_ContaDividida("2", "1;2", nullptr); },
         {0, 1}},
        {"a bill check closed, none open",
         [] { return Quelmar_FIR_FechaConferenciaMesa("D", "$", "0"); },
         {0, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.call(), -27) << c.what;
        EXPECT_EQ(status(), c.status) << c.what;
    }

    // A bill check waiting for its closing takes no order.
    EXPECT_EQ(Quelmar_FIR_AbreConferenciaMesa("3"), 1);
    EXPECT_EQ(Quelmar_FIR_RegistraVenda("3", "101", "PRATO", "01", "1,000", "30,00", "D", ""), -27);
    EXPECT_EQ(Quelmar_FIR_FechaConferenciaMesa("A", "$", "0"), 1);

    // The table memory full.
    std::string tables;
    for (int n = 100; n < 599; ++n) tables += "table." + std::to_string(n) + ".1=1,X,01,1,1.00,0;";
    seed(tables);
    EXPECT_EQ(freeMemory(), "0000");
    EXPECT_EQ(Quelmar_FIR_RegistraVenda("5", "101", "PRATO", "01", "1,000", "30,00", "D", ""), -27);
    EXPECT_EQ(status(), std::make_pair(short{0}, short{1}));

    // Other firmware does not know the restaurant's commands.
    seed("firmware=01.00.00");
    EXPECT_EQ(Quelmar_FIR_RegistraVenda("3", "101", "PRATO", "01", "1,000", "30,00", "D", ""), -27);
    EXPECT_EQ(status(), std::make_pair(short{4}, short{0}));
}

TEST(RestaurantModelText, TablesMenuAndOpenCheckReadBack) {
    const sim::FiscalModel model = sim::modelFromSeed(
        "table.12.1=101,FILÉ,01,2.5,62.00,-1.50; table.12.2=7891000100103,A%2CB,II,1,0.10,0; "
        "table.3.1=9,X,02,0.001,1.00,0.20; menu.1=101,FILÉ,01,62.00; check=12");
    const sim::RestaurantFloor& floor = model.restaurant;
    ASSERT_EQ(floor.tables.size(), 2u);
    EXPECT_EQ(floor.tables[0].number, 3);
    EXPECT_EQ(floor.tables[1].items[0],
              (sim::TableItem{"00000000000101", "FIL\x90", "01", 2500, 6200, -150}));
    EXPECT_EQ(floor.tables[1].items[1].description, "A,B");
    EXPECT_EQ(floor.openCheck, 12);
    sim::FiscalModel kept;
    EXPECT_FALSE(sim::applySeed(kept, sim::modelText(model)));
    EXPECT_EQ(kept, model);

    for (const char* bad : {"table.0.1=1,X,01,1,1,0", "table.1.2=1,X,01,1,1,0",
                            "table.1.1=1,DESCRICAO GRANDE DE,01,1,1,0", "menu.1=1,X,01",
                            "table.1.1=1,X,01,0,1,0", "check=10000"})
        EXPECT_TRUE(sim::applySeed(kept, bad)) << bad;
}

}  // namespace
}  // namespace quelfi::test
