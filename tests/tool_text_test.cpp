// What the quelfi tool shows a person: the library's Windows-1252 texts in UTF-8 and back,
// amounts as a shop writes them, aligned columns and framed paper.
#include <gtest/gtest.h>

#include "quelfi/demo_day.h"
#include "quelfi/scale_input.h"
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

TEST(ToolText, WeightsPricesAndStatesTypedToTheScale) {
    struct Case {
        std::string typed;
        std::optional<long> grams;
        std::optional<sim::PlateState> state;
    };
    const Case cases[] = {
        {"2,000", 2000, std::nullopt},
        {"1.5", 1500, std::nullopt},
        {" 0,350\r", 350, std::nullopt},
        {"12", 12000, std::nullopt},
        {"i", std::nullopt, sim::PlateState::Unstable},
        {"N", std::nullopt, sim::PlateState::Negative},
        {"S", std::nullopt, sim::PlateState::Overload},
        {"1,2345", std::nullopt, std::nullopt},
        {"1,2,3", std::nullopt, std::nullopt},
        {"-1", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"X", std::nullopt, std::nullopt},
        {"99999999999", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::optional<ScaleInput> input = scaleInputOf(c.typed);
        EXPECT_EQ(input.has_value(), c.grams || c.state);
        if (!input) continue;
        EXPECT_EQ(input->grams, c.grams);
        EXPECT_EQ(input->state, c.state);
    }
    EXPECT_EQ(centavosOf("12,90"), 1290);
    EXPECT_EQ(centavosOf("7"), 700);
    EXPECT_EQ(centavosOf("1,999"), std::nullopt);
    EXPECT_EQ(demo::kilosOfWeight("000500"), "0,500");
    EXPECT_EQ(demo::kilosOfWeight("012345"), "12,345");
}

}  // namespace
}  // namespace quelfi::tool
