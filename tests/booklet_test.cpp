// A payment booklet's instalments, due dates and pages, as read from the export's arguments.
#include <gtest/gtest.h>

#include "accessories/booklet/quel_carne.h"

namespace quelfi::accessories {
namespace {

TEST(Booklet, DueDatesFollowTheLastGivenDateMonthByMonth) {
    struct Case {
        int instalments;
        const char* datas;
        int index;
        const char* due;
    };
    const Case cases[] = {
        {3, "31/01/2005", 1, "28/02/2005"},   {3, "31/01/2005", 2, "31/03/2005"},
        {2, "31/01/2004", 1, "29/02/2004"},   {3, "31/01/2000;29/02/2000", 2, "29/03/2000"},
        {24, "15/12/2005", 23, "15/11/2007"}, {24, "31/12/99", 2, "29/02/2000"},
        {24, "311299", 14, "28/02/2001"},     {2, "010152;", 0, "01/01/2052"},
        {1, "01-01-53", 0, "01/01/1953"},     {24, "31/12/2099", 2, "28/02/2100"},
    };
    for (const Case& c : cases) {
        QuelCarne booklet;
        booklet.instalments = c.instalments;
        ASSERT_TRUE(booklet.readDates(c.datas)) << c.datas;
        EXPECT_EQ(booklet.dueDate(c.index).text(), c.due) << c.datas << " " << c.index;
    }
}

TEST(Booklet, AmountsAndDatesWithinTheirLimits) {
    const std::string entry14(14, '1');
    std::string amounts349;
    for (int i = 0; i < 23; ++i) amounts349 += entry14 + ";";
    amounts349 += "1000";
    ASSERT_EQ(amounts349.size(), 349u);
    struct Case {
        std::string parcela;
        bool accepted;
    };
    const Case amounts[] = {
        {amounts349, true},    {amounts349 + "0", false},
        {"1;2;3;", true},      {std::string(15, '1'), false},
        {"R$ 1.234,56", true}, {"1;;3", false},
        {"", false},           {std::string(10000, '9'), false},
    };
    for (const Case& c : amounts) {
        QuelCarne booklet;
        booklet.instalments = 24;
        EXPECT_EQ(booklet.readAmounts(c.parcela), c.accepted) << c.parcela;
    }
    QuelCarne booklet;
    booklet.instalments = 3;
    EXPECT_FALSE(booklet.readAmounts("1;2;3;4"));
    ASSERT_TRUE(booklet.readAmounts("1000;5"));
    EXPECT_EQ(amountText(booklet.amount(0)), "R$ 10,00");
    EXPECT_EQ(amountText(booklet.amount(2)), "R$ 0,05");
    EXPECT_EQ(amountText(99'999'999'999'999), "R$ 999999999999,99");

    for (const char* refused : {"30/02/2005", "29/02/1900", "31/13/2005", "1/1/2005", "3101200",
                                "01/01/2005/", "01/01/2005;01/01/2005;01/01/2005;01/01/2005", ""})
        EXPECT_FALSE(booklet.readDates(refused)) << refused;
    EXPECT_FALSE(booklet.readDates(std::string(250, '1')));
}

TEST(Booklet, LaterPagesWriteTheirValuesOverTheFirstOnes) {
    QuelCarne booklet;
    booklet.title = "LOJA";
    booklet.customer = "JOSE";
    booklet.identity = "123";
    booklet.text = "Obrigado";
    booklet.coupon = "42";
    booklet.instalments = 3;
    ASSERT_TRUE(booklet.readAmounts("1000;123456789012"));
    ASSERT_TRUE(booklet.readDates("31/01/2005"));
    const std::string e = "\x1B"
                          "E",
                      f = "\x1B"
                          "F",
                      so = "\x1B\x0E";
    auto page = [&](const std::string& instalment, const std::string& date,
                    const std::string& amount, const std::string& copy, std::size_t fill) {
        return e + so + "LOJA\n" + f + e + "CLIENTE: JOSE" + std::string(26, ' ') + "\n" + f + e +
               "RG/CPF:  123" + std::string(17, ' ') + "\n" + f + "Obrigado\n" + e + so +
               "PARCELA: " + instalment + f + "\n" + so + e + "DATA: " + date + f + "\n" + so + e +
               "VALOR: " + amount + "\n" + f + e + "Via:  " + copy + "\n" + f + e +
               "Cupom fiscal: 42\n" + f + "\n\n\n\n" + std::string(30, '_') + "\n    Assinatura" +
               std::string(fill, '\n');
    };
    // 15 lines, fed up to 24 or 20; the amount's field as wide as the widest amount.
    EXPECT_EQ(booklet.page(1, 1, 24),
              page("1/3        ", "31/01/2005    ", "R$ 10,00        ", "1         ", 9));
    EXPECT_EQ(booklet.page(2, 2, 24),
              page("2/3        ", "28/02/2005    ", "R$ 1234567890,12", "2         ", 9));
    EXPECT_EQ(booklet.page(2, 3, 20),
              page("3/3        ", "31/03/2005    ", "R$ 1234567890,12", "2         ", 5));
    EXPECT_EQ(booklet.page(1, 3, 10),
              page("3/3        ", "31/03/2005    ", "R$ 1234567890,12", "1         ", 0));
}

}  // namespace
}  // namespace quelfi::accessories
