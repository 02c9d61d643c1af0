// What the virtual printer puts on paper: readable lines, kept and optionally appended to a file.
#include <gtest/gtest.h>

#include "sim/quelmar/model_text.h"
#include "sim/quelmar/paper_roll.h"
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

// The heading and foot of a document are checked on the coupons the library prints.
TEST(SimReceiptLayout, MoneyAsAShopReadsIt) {
    EXPECT_EQ(layout::money(123456789), "1.234.567,89");
    EXPECT_EQ(layout::money(5), "0,05");
    EXPECT_EQ(layout::money(100000), "1.000,00");
}

}  // namespace
}  // namespace quelfi::sim
