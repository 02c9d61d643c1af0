// What the quelfi tool shows a person: the library's Windows-1252 texts in UTF-8 and back,
// amounts as a shop writes them, aligned columns and framed paper.
#include <gtest/gtest.h>

#include "quelfi/terminal.h"
#include "quelfi/text_encoding.h"

namespace quelfi::tool {
namespace {

TEST(ToolText, Windows1252AndUtf8) {
    EXPECT_EQ(utf8FromWindows1252("A\xC7\xDA"
                                  "CAR 1,99 \x80 \x93ok\x94 \x81"),
              "AÇÚCAR 1,99 € “ok” \uFFFD");
    EXPECT_EQ(windows1252FromUtf8("AÇÚCAR € “ok” ś"),
              "A\xC7\xDA"
              "CAR \x80 \x93ok\x94 ?");
    // Text that is not UTF-8 is already the library's: a lone Windows-1252 letter, a cut
    // sequence, an overlong form, a surrogate.
    for (const std::string raw : {"p\xE3o", "\xC3", "\xC0\xAF", "\xED\xA0\x80"})
        EXPECT_EQ(windows1252FromUtf8(raw), raw);
    EXPECT_EQ(displayWidth("AÇÚCAR €"), 8u);
}

TEST(ToolText, AmountsAsAShopReadsThem) {
    EXPECT_EQ(moneyText("00000000009000"), "R$ 90,00");
    EXPECT_EQ(moneyText("000000000123456789"), "R$ 1.234.567,89");
    EXPECT_EQ(moneyText("5"), "R$ 0,05");
    EXPECT_EQ(moneyText("00000000000000"), "R$ 0,00");
    EXPECT_EQ(moneyText("100000"), "R$ 1.000,00");
    EXPECT_EQ(moneyText(""), "");
    EXPECT_EQ(moneyText("12a"), "12a");
}

TEST(ToolText, ColumnsAndFrames) {
    // A row's last cell is not padded and does not widen its column.
    EXPECT_EQ(alignColumns({{"numeroCupom", "001234"}, {"result", "1  done"}, {"çé", "x", "last"}}),
              (std::vector<std::string>{"numeroCupom  001234", "result       1  done",
                                        "çé           x  last"}));
    EXPECT_EQ(framed({"MERCADINHO", "TOTAL R$   90,00", "São"}),
              (std::vector<std::string>{"┌──────────────────┐", "│ MERCADINHO       │",
                                        "│ TOTAL R$   90,00 │", "│ São              │",
                                        "└──────────────────┘"}));
    const Styler plain(false), coloured(true);
    EXPECT_EQ(plain.paint(Colour::Red, "FAIL"), "FAIL");
    EXPECT_EQ(coloured.paint(Colour::Green, "ok"), "\x1B[32mok\x1B[0m");
    EXPECT_EQ(padLeft("-3", 3) + "|" + padRight("ç", 3) + "|", " -3|ç  |");
}

}  // namespace
}  // namespace quelfi::tool
