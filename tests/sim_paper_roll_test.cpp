// What the virtual printer puts on paper: readable lines, kept and optionally appended to a file.
#include <gtest/gtest.h>

#include "sim/paper_roll.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/receipt_layout.h"
#include "support/library_fixture.h"

namespace quelfi::sim {
namespace {

class SimPaperRoll : public test::LibraryTest {};

TEST_F(SimPaperRoll, KeepsLinesAndAppendsThemToTheFile) {
    PaperRoll roll;
    roll.print("before the file");
    const std::string file = root() + "/paper.txt";
    roll.appendTo(file);
    roll.printLines({"first", "segundo ação"});
    EXPECT_EQ(roll.lines(), (std::vector<std::string>{"before the file", "first", "segundo ação"}));
    EXPECT_EQ(roll.text(), "before the file\nfirst\nsegundo ação\n");
    EXPECT_EQ(test::readFile(file), "first\nsegundo ação\n");
    roll.clear();
    roll.appendTo("");
    roll.print("after");
    EXPECT_EQ(roll.text(), "after\n");
    EXPECT_EQ(test::readFile(file), "first\nsegundo ação\n");
}

TEST(SimReceiptLayout, HeadingAndFootOfADocument) {
    const FiscalModel m = modelFromSeed(
        "cliche=PADARIA SÃO JOÃO LTDA; cnpj=12.345.678/0001-90; ie=110.042.490.114;"
        "clock=05/01/2024 08:07:06; serial=QM0123456789; firmware=01.03.00; store=2;"
        "register=15");
    EXPECT_EQ(layout::heading(m, 1235, "CUPOM FISCAL"),
              (std::vector<std::string>{
                  "             PADARIA SÃO JOÃO LTDA",
                  "CNPJ: 12.345.678/0001-90",
                  "IE: 110.042.490.114",
                  "------------------------------------------------",
                  "05/01/2024 08:07:06                   COO:001235",
                  "                  CUPOM FISCAL",
              }));
    EXPECT_EQ(layout::foot(m), (std::vector<std::string>{
                                   "------------------------------------------------",
                                   "QUELMAR ECF                    FAB: QM0123456789",
                                   "VERSAO 01.03.00                  LJ:0002 CX:0015",
                               }));
    EXPECT_EQ(layout::money(123456789), "1.234.567,89");
    EXPECT_EQ(layout::money(5), "0,05");
    EXPECT_EQ(layout::money(100000), "1.000,00");
}

}  // namespace
}  // namespace quelfi::sim
