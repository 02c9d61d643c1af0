// Barcodes the virtual journal printer prints through the exports: a report with every symbology
// and the look changed midway, a coupon ending with a barcode, and the mechanism's refusals.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/printer_state.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

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
    // The lines of the block titled `title`, from its title on.
    std::vector<std::string> block(const std::string& title, std::size_t lines) {
        const std::vector<std::string> paper = printer.paper().lines();
        const auto at =
            std::ranges::find(paper, framed("CÓDIGO DE BARRAS " + title, 17 + title.size()));
        return at + static_cast<long>(lines) <= paper.end()
                   ? std::vector<std::string>(at, at + static_cast<long>(lines))
                   : std::vector<std::string>{};
    }
};

TEST_F(BarcodePrintingTest, EverySymbologyWithTheLookOfItsMoment) {
    ASSERT_EQ(Quelmar_FI_ConfiguraCodigoBarrasMFD(24, 0, 3, 0, 0), 1);  // outside any document
    ASSERT_EQ(Quelmar_FI_RelatorioGerencial("INICIO"), 1);
    const std::vector<std::tuple<int (*)(const char*), const char*, std::string>> barcodes = {
        {Quelmar_FI_CodigoBarrasCODABARMFD, "A123B", "CODABAR"},
        {Quelmar_FI_CodigoBarrasCODE128MFD, "Abc-123", "CODE128"},
        {Quelmar_FI_CodigoBarrasCODE39MFD, "abc 1", "CODE39"},
        {Quelmar_FI_CodigoBarrasCODE93MFD, "X9", "CODE93"},
        {Quelmar_FI_CodigoBarrasUPCAMFD, "03600029145", "UPC-A"},
        {Quelmar_FI_CodigoBarrasUPCEMFD, "123456", "UPC-E"},
        {Quelmar_FI_CodigoBarrasEAN13MFD, "789100010010", "EAN-13"},
        {Quelmar_FI_CodigoBarrasEAN8MFD, "1234567", "EAN-8"},
        {Quelmar_FI_CodigoBarrasMSIMFD, "1234", "MSI"},
        {Quelmar_FI_CodigoBarrasPLESSEYMFD, "12AF", "PLESSEY"},
        {Quelmar_FI_CodigoBarrasISBNMFD, "85-359-0277-X", "ISBN"},
        {Quelmar_FI_CodigoBarrasITFMFD, "1234", "ITF"}};
    for (const auto& [print, code, title] : barcodes) {
        if (title == "EAN-13") {
            ASSERT_EQ(Quelmar_FI_ConfiguraCodigoBarrasMFD(48, 2, 1, 0, 120), 1);
        }
        EXPECT_EQ(print(code), 1) << title;
        EXPECT_EQ(block(title, 1).size(), 1u) << title;
    }
    ASSERT_EQ(Quelmar_FI_CodigoBarrasPDF417MFD(2, 3, 2, 5, "QUELFI"), 1);
    // Before the change: one row with the data above and below, as set outside the report.
    const std::vector<std::string> codabar = block("CODABAR", 5);
    EXPECT_EQ(codabar[2], framed(std::string(19, ' ') + "A123B", 24));
    EXPECT_EQ(codabar[4], codabar[2]);
    // After it: digits above, 2 rows of 48 dots, modules of 3 columns after a 10-column margin.
    const std::vector<std::string> ean13 = block("EAN-13", 6);
    EXPECT_EQ(ean13[1], framed("DADOS 789100010010 DÍGITO 3", 27));
    EXPECT_EQ(ean13[2], framed(std::string(15, ' ') + "7891000100103", 28));
    EXPECT_TRUE(ean13[3].starts_with("| " + std::string(10, ' ') + "███"));
    EXPECT_EQ(ean13[4], ean13[3]);
    EXPECT_EQ(ean13[5], "+" + std::string(46, '-') + "+");

    // Data its symbology cannot take: 128, nothing printed; no document open: not executed.
    const std::size_t before = printer.paper().size();
    EXPECT_EQ(Quelmar_FI_CodigoBarrasUPCAMFD("123"), -27);
    EXPECT_EQ(core::state().st2, 128);
    // A length byte longer than its data, PDF417 with 31 columns: 128 as well.
    const std::string code = std::string(1, '\x1C') + "C\x1Dk";
    for (const std::string& bad : {code + "H\tAB", code + "\x80\x01\x01\x01\x1F\x01" + '\0' + "A"})
        EXPECT_EQ(printer.execute(bad), std::string("\x06\x00\x80\x00\x00", 5));
    EXPECT_EQ(printer.paper().size(), before);
    EXPECT_EQ(Quelmar_FI_FechaRelatorioGerencial(), 1);
    EXPECT_EQ(Quelmar_FI_CodigoBarrasCODE39MFD("A"), -27);
    EXPECT_EQ(core::state().st2, 1);

    // A paid coupon ends with its message, then the barcode.
    ASSERT_EQ(Quelmar_FI_AbreCupomMFD("", "", ""), 1);
    EXPECT_EQ(Quelmar_FI_TerminaFechamentoCupomCodigoBarrasMFD("FIM", "", "", 0, 0, 0, 0, 0, 0, 0),
              -27);
    ASSERT_EQ(Quelmar_FI_VendeItem("1", "ARROZ", "18,00", "I", "1", 2, "10,00", "$", "0"), 1);
    ASSERT_EQ(Quelmar_FI_IniciaFechamentoCupomMFD("X", "$", "0", "0"), 1);
    ASSERT_EQ(Quelmar_FI_EfetuaFormaPagamentoMFD("Dinheiro", "10,00", "1", ""), 1);
    ASSERT_EQ(Quelmar_FI_TerminaFechamentoCupomCodigoBarrasMFD("OBRIGADO", "PDF417", "789", 24, 1,
                                                               0, 0, 0, 1, 4),
              1);
    EXPECT_FALSE(core::state().couponOpen);
    const std::vector<std::string> paper = printer.paper().lines();
    const auto message = std::ranges::find(paper, "OBRIGADO");
    ASSERT_LT(message + 3, paper.end());
    EXPECT_EQ(*(message + 2), framed("CÓDIGO DE BARRAS PDF417", 23));
    EXPECT_EQ(*(message + 3), framed("ECC 1, MODULO 24x1, COLUNAS 4", 29));
}

}  // namespace
}  // namespace quelfi::test
