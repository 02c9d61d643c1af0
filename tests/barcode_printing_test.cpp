// Barcodes printed by the virtual journal printer through the exports: a management report with
// every symbology and a change of look midway, coupons closed with and without a barcode, and
// the mechanism's refusals.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/printer_state.h"
#include "quelfi32.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

const std::string kBorder = "+" + std::string(46, '-') + "+";

std::string framed(const std::string& text, std::size_t columns) {
    return "| " + text + std::string(44 - columns, ' ') + " |";
}

class BarcodePrintingTest : public VirtualPrinterTest {
  protected:
    void SetUp() override {
        printer.update([](sim::FiscalModel& m) { m.electronicJournal = true; });
        VirtualPrinterTest::SetUp();
        connect("StatusFuncao=1\n[MFD]\nImpressora=1\n");
        core::state().mfdPrinter = true;
    }
    // The paper's lines from `first` on.
    std::vector<std::string> paperFrom(std::size_t first) {
        return printer.paper().linesFrom(first);
    }
    void sellAndPay() {
        ASSERT_EQ(Quelmar_FI_AbreCupomMFD("", "", ""), 1);
        ASSERT_EQ(Quelmar_FI_VendeItem("1", "ARROZ", "18,00", "I", "1", 2, "10,00", "$", "0"), 1);
        ASSERT_EQ(Quelmar_FI_IniciaFechamentoCupomMFD("X", "$", "0", "0"), 1);
        ASSERT_EQ(Quelmar_FI_EfetuaFormaPagamentoMFD("Dinheiro", "10,00", "1", ""), 1);
    }
};

TEST_F(BarcodePrintingTest, ManagementReportWithEverySymbologyAndTheLookChangedMidway) {
    // A look set outside any document holds for the report.
    ASSERT_EQ(Quelmar_FI_ConfiguraCodigoBarrasMFD(24, 0, 3, 0, 0), 1);
    ASSERT_EQ(Quelmar_FI_RelatorioGerencial("INICIO"), 1);
    const std::size_t first = printer.paper().size();
    ASSERT_EQ(Quelmar_FI_CodigoBarrasCODABARMFD("A123B"), 1);
    ASSERT_EQ(Quelmar_FI_CodigoBarrasCODE128MFD("Abc-123"), 1);
    ASSERT_EQ(Quelmar_FI_CodigoBarrasCODE39MFD("abc 1"), 1);
    ASSERT_EQ(Quelmar_FI_CodigoBarrasCODE93MFD("X9"), 1);
    ASSERT_EQ(Quelmar_FI_CodigoBarrasUPCAMFD("03600029145"), 1);
    ASSERT_EQ(Quelmar_FI_CodigoBarrasUPCEMFD("123456"), 1);
    ASSERT_EQ(Quelmar_FI_ConfiguraCodigoBarrasMFD(48, 2, 1, 0, 120), 1);
    ASSERT_EQ(Quelmar_FI_CodigoBarrasEAN13MFD("789100010010"), 1);
    ASSERT_EQ(Quelmar_FI_CodigoBarrasEAN8MFD("1234567"), 1);
    ASSERT_EQ(Quelmar_FI_CodigoBarrasMSIMFD("1234"), 1);
    ASSERT_EQ(Quelmar_FI_CodigoBarrasPLESSEYMFD("12AF"), 1);
    ASSERT_EQ(Quelmar_FI_CodigoBarrasISBNMFD("85-359-0277-X"), 1);
    ASSERT_EQ(Quelmar_FI_CodigoBarrasITFMFD("1234"), 1);
    ASSERT_EQ(Quelmar_FI_CodigoBarrasPDF417MFD(2, 3, 2, 5, "QUELFI"), 1);

    const std::vector<std::string> paper = paperFrom(first);
    std::vector<std::string> titles;
    for (std::size_t i = 0; i + 1 < paper.size(); ++i)
        if (paper[i] == kBorder && paper[i + 1].starts_with("| C\xC3\x93"
                                                            "DIGO"))
            titles.push_back(paper[i + 1]);
    const std::vector<std::string> names = {"CODABAR", "CODE128", "CODE39", "CODE93", "UPC-A",
                                            "UPC-E",   "EAN-13",  "EAN-8",  "MSI",    "PLESSEY",
                                            "ISBN",    "ITF",     "PDF417"};
    std::vector<std::string> expected;
    for (const std::string& n : names)
        expected.push_back(framed("CÓDIGO DE BARRAS " + n, 17 + n.size()));
    EXPECT_EQ(titles, expected);

    // The EAN-13 after the change: digits above, 2 rows of 48 dots, modules of 3 columns from
    // a margin of 10 columns; the check digit the printer added.
    const auto ean13 = std::ranges::find(paper, expected[6]);
    ASSERT_NE(ean13, paper.end());
    const std::vector<std::string> block(ean13 - 1, ean13 + 7);
    EXPECT_EQ(block[2], framed("DADOS 789100010010 DÍGITO 3", 27));
    EXPECT_EQ(block[3], framed(std::string(15, ' ') + "7891000100103", 28));
    for (int row : {4, 5}) {
        EXPECT_TRUE(block[row].starts_with("| " + std::string(10, ' ') + "\xE2\x96\x88"));
        EXPECT_EQ(block[row], block[4]);
    }
    EXPECT_EQ(block[6], kBorder);  // nothing below
    // The UPC-E before it: one row, digits above and below with the check digit.
    const auto upcE = std::ranges::find(paper, expected[5]);
    EXPECT_EQ(*(upcE + 2), framed(std::string(18, ' ') + "1234565", 25));
    EXPECT_EQ(*(upcE + 4), *(upcE + 2));
    EXPECT_EQ(*(upcE + 5), kBorder);

    // Data a symbology cannot take, and a length byte that disagrees: 128; nothing printed.
    const std::size_t before = printer.paper().size();
    EXPECT_EQ(Quelmar_FI_CodigoBarrasUPCAMFD("123"), -27);
    EXPECT_EQ(core::state().st2, 128);
    EXPECT_EQ(Quelmar_FI_CodigoBarrasEAN13MFD("789100010011"), 1);  // 12 digits take any
    EXPECT_EQ(Quelmar_FI_CodigoBarrasEAN8MFD("12345670"), -2);
    EXPECT_EQ(Quelmar_FI_FechaRelatorioGerencial(), 1);
    // No document open: not executed.
    EXPECT_EQ(Quelmar_FI_CodigoBarrasCODE39MFD("A"), -27);
    EXPECT_EQ(core::state().st2, 1);
    EXPECT_EQ(printer.model().mechanismLook.margin, 120);
    EXPECT_GT(printer.paper().size(), before);
}

TEST_F(BarcodePrintingTest, CouponsEndWithTheMessageThenTheBarcode) {
    struct Case {
        std::function<int()> close;
        std::vector<std::string> afterMessage;  // the first lines after the message
    };
    sellAndPay();
    std::size_t first = printer.paper().size();
    ASSERT_EQ(Quelmar_FI_TerminaFechamentoCupomCodigoBarrasMFD("OBRIGADO", "ean13", "789100010010",
                                                               24, 1, 0, 0, 0, 0, 0),
              1);
    EXPECT_FALSE(core::state().couponOpen);
    std::vector<std::string> paper = paperFrom(first);
    auto message = std::ranges::find(paper, "OBRIGADO");
    ASSERT_NE(message, paper.end());
    EXPECT_EQ(std::vector<std::string>(message + 1, message + 4),
              (std::vector<std::string>{kBorder, framed("CÓDIGO DE BARRAS EAN-13", 23),
                                        framed("DADOS 789100010010 DÍGITO 3", 27)}));
    EXPECT_EQ(*(message + 5), kBorder);  // one row, no digits

    sellAndPay();
    first = printer.paper().size();
    ASSERT_EQ(Quelmar_FI_TerminaFechamentoCupomCodigoBarrasMFD("", "PDF417", "QUELFI", 3, 2, 0, 0,
                                                               0, 1, 4),
              1);
    paper = paperFrom(first);
    const auto pdf417 = std::ranges::find(paper, framed("CÓDIGO DE BARRAS PDF417", 23));
    ASSERT_NE(pdf417, paper.end());
    EXPECT_EQ(*(pdf417 + 1), framed("ECC 1, MODULO 3x2, COLUNAS 4", 28));
    EXPECT_FALSE(core::state().couponOpen);

    // Without a barcode, and refused when the coupon is not paid.
    ASSERT_EQ(Quelmar_FI_AbreCupomMFD("", "", ""), 1);
    EXPECT_EQ(Quelmar_FI_TerminaFechamentoCupomCodigoBarrasMFD("FIM", "", "", 0, 0, 0, 0, 0, 0, 0),
              -27);
    EXPECT_TRUE(core::state().couponOpen);
}

}  // namespace
}  // namespace quelfi::test
