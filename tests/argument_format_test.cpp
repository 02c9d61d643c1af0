// The field formatting shared by the fiscal exports.
#include "fiscal/argument_format.h"

#include <gtest/gtest.h>

#include "protocol/code_page.h"

namespace quelfi::fiscal {
namespace {

TEST(ArgumentFormat, DigitFilterAndFills) {
    EXPECT_EQ(keepDigits("R$ 1.234,56"), "123456");
    EXPECT_EQ(keepDigits("abc"), "");
    EXPECT_EQ(keepDigits(""), "");
    EXPECT_EQ(zeroFill("150", 14), "00000000000150");
    EXPECT_EQ(zeroFill("12345", 4), "12345");  // never cut
    EXPECT_EQ(blankFill("ab", 5), "ab   ");
    EXPECT_EQ(padText("7", 3, "0", 'e'), "007");
    EXPECT_EQ(padText("7", 3, "ab", 'D'), "7abab");
    EXPECT_EQ(padText("long", 2, "0", 'E'), "long");
}

TEST(ArgumentFormat, PercentagesAndRatesAreCompletedOnTheRight) {
    EXPECT_EQ(itemPercentage("5"), "5000");
    EXPECT_EQ(itemPercentage("10"), "1000");
    EXPECT_EQ(itemPercentage("150"), "1500");
    EXPECT_EQ(itemPercentage("0500"), "0500");
    EXPECT_EQ(itemPercentage("12345"), std::nullopt);

    EXPECT_EQ(taxRateValue(""), "00");
    EXPECT_EQ(taxRateValue("5"), "500");
    EXPECT_EQ(taxRateValue("75"), "750");
    EXPECT_EQ(taxRateValue("180"), "1800");
    EXPECT_EQ(taxRateValue("1800"), "1800");
}

TEST(ArgumentFormat, NumericAmountHoldsThirtyTwoBits) {
    EXPECT_EQ(numericAmount14("1000"), "00000000001000");
    EXPECT_EQ(numericAmount14(""), "00000000000000");
    EXPECT_EQ(numericAmount14("4294967295"), "00004294967295");
    EXPECT_EQ(numericAmount14("4294967296"), std::nullopt);
    EXPECT_EQ(numericAmount14("123456789012345"), std::nullopt);
}

TEST(ArgumentFormat, DateCheck) {
    EXPECT_FALSE(isValidDate("31022004"));
    EXPECT_FALSE(isValidDate("29022003"));
    EXPECT_TRUE(isValidDate("29022004"));
    EXPECT_TRUE(isValidDate("00012004"));
    EXPECT_TRUE(isValidDate("31122004"));
    EXPECT_FALSE(isValidDate("31042004"));
    EXPECT_FALSE(isValidDate("01132004"));
    EXPECT_FALSE(isValidDate("0101"));
}

TEST(ArgumentFormat, PercentSignsAndCase) {
    std::string text = "10% off 5%";
    blankPercentSigns(text, 5);
    EXPECT_EQ(text, "10  off 5%");
    EXPECT_EQ(upperCase("ff"), "FF");
}

TEST(CodePage, AccentedLettersBothWays) {
    EXPECT_EQ(protocol::inPrinterCodePage("\xE7\xE3\xC3"), "\x87\xC6\xC7");
    // Letters outside the table pass unchanged.
    EXPECT_EQ(protocol::inPrinterCodePage("\xC5\xC6\xCB\xCE\xD6\xD8\xDD\xE5\xE6\xEE\xF8\xFD abc"),
              "\xC5\xC6\xCB\xCE\xD6\xD8\xDD\xE5\xE6\xEE\xF8\xFD abc");
    // Every accented letter converted comes back as it was, and none is left as it was.
    const std::string all =
        "\xC0\xC1\xC2\xC3\xC4\xC7\xC8\xC9\xCA\xCC\xCD\xCF\xD1\xD2\xD3\xD4\xD5"
        "\xD9\xDA\xDB\xDC\xE0\xE1\xE2\xE3\xE4\xE7\xE8\xE9\xEA\xEB\xEC\xED"
        "\xEF\xF1\xF2\xF3\xF4\xF5\xF6\xF9\xFA\xFB\xFC\xFF";
    std::string round = protocol::inPrinterCodePage(all);
    protocol::fromPrinterCodePage(round);
    EXPECT_EQ(round, all);
    const std::string sent = protocol::inPrinterCodePage(all);
    for (std::size_t i = 0; i < all.size(); ++i) EXPECT_NE(sent[i], all[i]) << i;
}

}  // namespace
}  // namespace quelfi::fiscal
