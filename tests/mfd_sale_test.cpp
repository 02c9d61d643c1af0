// The journal printer's documents made through the library's exports against the virtual
// printer: what the printer counts and totals, what it printed and what its journal kept.
#include <gtest/gtest.h>

#include "core/printer_state.h"
#include "quelfi32.h"
#include "sim/quelmar/code_page.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

std::string journalText(const sim::JournalEntry& entry) {
    std::string out;
    for (const auto& line : entry.lines) out += sim::printerToUtf8(line) + '\n';
    return out;
}

class MfdSaleTest : public VirtualPrinterTest {
  protected:
    void SetUp() override {
        printer.update([](sim::FiscalModel& m) { m.electronicJournal = true; });
        VirtualPrinterTest::SetUp();
        connect("StatusFuncao=1\n[MFD]\nImpressora=1\n");
        core::state().mfdPrinter = true;
    }
};

TEST_F(MfdSaleTest, CouponWithConsumerAdjustmentsAndInstalments) {
    ASSERT_EQ(Quelmar_FI_ProgramaFormaPagamentoMFD(cp1252("Cartão").c_str(), "1"), 1);
    ASSERT_EQ(Quelmar_FI_AbreCupomMFD("123.456.789-09", "JOSE DA SILVA", "RUA DAS FLORES, 100"), 1);
    ASSERT_EQ(
        Quelmar_FI_VendeItem("7891000100103", "ARROZ", "18,00", "I", "2", 2, "24,90", "$", "0"), 1);
    ASSERT_EQ(
        Quelmar_FI_VendeItem("7896004000855", "FEIJAO", "07,00", "I", "3", 2, "8,50", "$", "0"), 1);
    ASSERT_EQ(Quelmar_FI_AcrescimoDescontoItemMFD("1", "D", "%", "10,00"), 1);
    ASSERT_EQ(Quelmar_FI_CancelaAcrescimoDescontoItemMFD("D", "1"), 1);
    ASSERT_EQ(Quelmar_FI_AcrescimoDescontoItemMFD("2", "A", "$", "2,00"), 1);
    ASSERT_EQ(Quelmar_FI_SubTotalizaCupomMFD(), 1);
    ASSERT_EQ(Quelmar_FI_AcrescimoDescontoSubtotalMFD("D", "%", "5,00"), 1);
    ASSERT_EQ(Quelmar_FI_CancelaAcrescimoDescontoSubtotalMFD("D"), 1);
    ASSERT_EQ(Quelmar_FI_AcrescimoDescontoSubtotalMFD("D", "$", "1,00"), 1);
    ASSERT_EQ(Quelmar_FI_TotalizaCupomMFD(), 1);
    ASSERT_EQ(Quelmar_FI_IniciaFechamentoCupomMFD("X", "$", "0", "0"), 1);
    ASSERT_EQ(
        Quelmar_FI_EfetuaFormaPagamentoMFD(cp1252("Cartão").c_str(), "76,30", "3", "3X SEM JUROS"),
        1);
    ASSERT_EQ(Quelmar_FI_TerminaFechamentoCupom("Obrigado!"), 1);
    ASSERT_EQ(Quelmar_FI_CupomAdicionalMFD(), 1);

    EXPECT_EQ(answer(Quelmar_FI_NumeroCupom), "001235");
    EXPECT_EQ(answer(Quelmar_FI_GrandeTotal), "000000000000107730");  // 1.000,00 + 77,30
    EXPECT_EQ(answer(Quelmar_FI_Descontos), "00000000000100");
    EXPECT_EQ(answer(Quelmar_FI_Acrescimos), "00000000000200");
    EXPECT_EQ(answer(Quelmar_FI_ValorPagoUltimoCupom), "00000000007630");
    const sim::FiscalModel m = printer.model();
    EXPECT_EQ(m.counters.ccf, 1);
    ASSERT_EQ(m.paymentForms.size(), 3u);
    EXPECT_TRUE(m.paymentForms[2].boundReceipt);
    EXPECT_EQ(m.paymentForms[2].dayTotal, 7630);
    // The day had sold before this coupon: it is the last one, not the first.
    const std::string ini = readFile(systemDir() + "/QuelFI32.ini");
    EXPECT_NE(ini.find("COOFinal=001235"), std::string::npos);
    EXPECT_EQ(ini.find("COOInicial"), std::string::npos);

    const std::string heading = R"(
          SUPERMERCADO BOM PREÇO LTDA
CNPJ: 12.345.678/0001-90
IE: 110.042.490.114
------------------------------------------------
15/03/2024 10:30:45                   COO:001235
)";
    const std::string consumer = R"(CPF/CNPJ consumidor: 123.456.789-09
Nome: JOSE DA SILVA
Endereço: RUA DAS FLORES, 100
------------------------------------------------
)";
    const std::string payment = R"(Cartão                                     76,30
  em 3 parcelas
  3X SEM JUROS
)";
    const std::string foot = R"(------------------------------------------------
QUELMAR ECF                    FAB: QM0123456789
VERSAO 01.03.00                  LJ:0001 CX:0007
)";
    const std::string coupon = heading + "                  CUPOM FISCAL\n" + consumer +
                               R"(ITEM CÓDIGO DESCRIÇÃO
QTD. UN. x VL UNIT(R$)       ST      VL ITEM(R$)
------------------------------------------------
001 7891000100103 ARROZ
    2 x 24,90                T18,00%       49,80
002 7896004000855 FEIJAO
    3 x 8,50                 T07,00%       25,50
    desconto item 001 10,00%               -4,98
CANCELAMENTO DESCONTO ITEM 001             +4,98
    acréscimo item 002                     +2,00
SUBTOTAL R$                                77,30
DESCONTO 5,00%                             -3,87
CANCELAMENTO DESCONTO                      +3,87
DESCONTO                                   -1,00
TOTAL R$                                   76,30
)" + payment + R"(------------------------------------------------
Obrigado!
)" + foot;
    const std::string additional = heading + "                CUPOM ADICIONAL\n" + consumer +
                                   "TOTAL R$                                   76,30\n" + payment +
                                   foot;
    EXPECT_EQ("\n" + printer.paper().text(), coupon + additional.substr(1));
    ASSERT_EQ(m.journal.size(), 2u);
    EXPECT_EQ(m.journal[0].kind, sim::JournalKind::Coupon);
    EXPECT_EQ("\n" + journalText(m.journal[0]), coupon);
    EXPECT_EQ(m.journal[1].kind, sim::JournalKind::AdditionalCoupon);
    EXPECT_EQ("\n" + journalText(m.journal[1]), additional);
}

}  // namespace
}  // namespace quelfi::test
