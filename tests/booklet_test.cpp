// A payment booklet's due dates: given, or following the last given one month by month.
#include <gtest/gtest.h>

#include "accessories/booklet/quel_carne.h"

namespace quelfi::accessories {
namespace {

TEST(Booklet, DueDatesFollowTheLastGivenDateMonthByMonth) {
    // Datas, the instalment (from 0), its due date; "" when Datas is refused.
    // clang-format off
    const std::tuple<const char*, int, const char*> cases[] = {
        {"31/01/2005", 1, "28/02/2005"},            {"31/01/2005", 2, "31/03/2005"},
        {"31/01/2004", 1, "29/02/2004"},            {"15/12/2005", 23, "15/11/2007"},
        {"31/01/2000;29/02/2000", 2, "29/03/2000"}, {"31/12/99", 2, "29/02/2000"},
        {"311299", 14, "28/02/2001"},               {"31/12/2099", 2, "28/02/2100"},
        {"010152;", 0, "01/01/2052"},               {"01-01-53", 0, "01/01/1953"},
        {"30/02/2005", 0, ""}, {"29/02/1900", 0, ""}, {"31/13/2005", 0, ""}, {"1/1/2005", 0, ""},
        {"01/01/2005/", 0, ""}, {"", 0, ""},
    };
    // clang-format on
    for (const auto& [datas, index, due] : cases) {
        QuelCarne booklet;
        booklet.instalments = kMaxInstalments;
        EXPECT_EQ(booklet.readDates(datas) ? booklet.dueDate(index).text() : "", due) << datas;
    }
    QuelCarne booklet;
    booklet.instalments = 1;
    EXPECT_FALSE(booklet.readDates("01/01/2005;01/02/2005"));
    EXPECT_EQ(amountText(5), "R$ 0,05");
}

}  // namespace
}  // namespace quelfi::accessories
