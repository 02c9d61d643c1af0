// A coupon on the virtual Yanco printer through raw frames: what it answers, what its registers
// read back, the coupon on the paper roll, and the refusals of its fiscal rules.
#include "yanco_sim_fixture.h"

namespace quelfi::test {
namespace {

TEST_F(YancoSimTest, CouponFromOpeningToEnd) {
    start();
    ASSERT_EQ(status(kOpenDay), "00");  // COO 1
    printer->paper().clear();
    const std::string commands[] = {
        "130",
        // 2 x 10,00 at 18 %, less 10 %.
        item("1", "ARROZ TIPO 1", "000010000", "0002000", "01"),
        "18"
        "000000000000"
        "1000"
        "1",
        // 1,5 x 8,990 at 7 %: 13,485 rounds to 13,49.
        item("2", "FEIJAO", "000008990", "0001500", "03", '1'),
        // 5,00 at the ISS rate; 0,10 exempt, then cancelled.
        item("3", "SERVICO", "000005000", "0001000", "04"),
        item("4", "SACOLA", "000000100", "0001000", "15"),
        "35004" + std::string(22, ' '),
        // 10 % on 36,49 (3,65, of which 0,50 falls on the ISS item): 40,14 to pay.
        "1B"
        "0000000000000"
        "1000"
        "3",
        "15"
        "03"
        "0000000020000",
        "15"
        "01"
        "0000000030000",
    };
    for (const std::string& command : commands) ASSERT_EQ(status(command), "00") << command;
    EXPECT_EQ(data("25", 8), "0\\0\\0\\1\\0\\5\\000002\\061226\\000000\\0\\0000\\0\\0");
    ASSERT_EQ(status("1600" + padded("OBRIGADO, VOLTE SEMPRE", 168)), "00");

    const struct {
        const char* reg;
        const char* value;
    } registers[] = {
        {"34001", "000000000000004224"},  // 38,59 sold and 3,65 of surcharge
        {"34002", "000000000000000000"},
        {"34003", "00000000004224"},
        {"34004", "00000000000315"},
        {"34005", "00000000000050"},
        {"34006", "00000000000200"},
        {"34007", "00000000000000"},
        {"34008", "00000000000010"},
        {"34039", "00000000004014"},
        // The surcharge spread by share: 18,00 + 1,81, 13,49 + 1,34, 5,00 + 0,50.
        {"34014", "00000000001981"},
        {"34016", "00000000001483"},
        {"34017", "00000000000550"},
        {"34028", "00000000000000"},
        // Card 20,00; cash 30,00 less the change of 9,86.
        {"34040", "00000000002014"},
        {"34042", "00000000002000"},
        {"34072", "00000000000000"},
        {"34077", "000002"},
        {"34078", "000001"},
    };
    for (const auto& r : registers) EXPECT_EQ(data(r.reg), r.value) << r.reg;
    // The last coupon may be cancelled, and a bound receipt follows the card.
    EXPECT_EQ(data("25", 8), "0\\0\\0\\1\\0\\1\\000002\\061226\\000000\\1\\0000\\1\\0");

    EXPECT_EQ(printer->paper().text(),
              "           YANCO COMERCIO LTDA\n"
              "CNPJ 11.222.333/0001-81\n"
              "IE 111.222.333.444\n"
              "------------------------------------------\n"
              "06/12/2026 10:00:00             COO:000002\n"
              "               CUPOM FISCAL\n"
              "ITEM CODIGO DESCRICAO\n"
              "QTD x VL UNIT          ST          VL ITEM\n"
              "------------------------------------------\n"
              "001 0000000000001 ARROZ TIPO 1\n"
              "    2 x 10,00              T18,00%   20,00\n"
              "    DESCONTO 10,00%                  -2,00\n"
              "002 0000000000002 FEIJAO\n"
              "    1,500 x 8,990          T07,00%   13,49\n"
              "003 0000000000003 SERVICO\n"
              "    1 x 5,00                S05,00%   5,00\n"
              "004 0000000000004 SACOLA\n"
              "    1 x 0,10                      I   0,10\n"
              "CANCELADO ITEM 004                   -0,10\n"
              "SUBTOTAL                             36,49\n"
              "ACRESCIMO 10,00%                     +3,65\n"
              "TOTAL R$                             40,14\n"
              "Cartao                               20,00\n"
              "Dinheiro                             30,00\n"
              "TROCO R$                              9,86\n"
              "------------------------------------------\n"
              "OBRIGADO, VOLTE SEMPRE\n"
              "------------------------------------------\n"
              "YANCO ECF                   FAB:YC00000001\n"
              "VERSAO 01                  LJ:0001 CX:0001\n");
}

TEST_F(YancoSimTest, SaleRulesRefuseWithTheirStatus) {
    const std::string sale = item("1", "ARROZ", "000010000", "0001000", "01");
    const std::string cash = "15010000000010000";
    const std::string endCoupon = "1600" + std::string(168, ' ');
    const struct {
        const char* what;
        std::string seed;
        std::vector<std::string> before;  // each answered "00"
        std::string command;
        const char* status;
    } cases[] = {
        {"rate slot not programmed",
         "day=1",
         {"130"},
         item("1", "X", "000001000", "0001000", "05"),
         "34"},
        {"slot beyond N", "day=1", {"130"}, item("1", "X", "000001000", "0001000", "17"), "20"},
        {"price with a comma",
         "day=1",
         {"130"},
         item("1", "X", "000010,00", "0001000", "01"),
         "20"},
        {"item without a coupon", "day=1", {}, sale, "09"},
        {"coupon before the day's opening", "", {}, "130", "09"},
        {"nothing but the opening after a reduction", "day=1", {kReduction}, "130", "09"},
        {"a day that has passed", "day=1; movement=05/12/2026", {}, "130", "09"},
        {"discount taking the whole item",
         "day=1",
         {"130", sale},
         "18000000010000"
         "0000"
         "0",
         "20"},
        {"second discount on an item",
         "day=1",
         {"130", sale,
          "180000000000001000"
          "1"},
         "180000000000000500"
         "1",
         "09"},
        {"item after the subtotal",
         "day=1",
         {"130", sale,
          "1B0000000000000"
          "0500"
          "1"},
         sale,
         "09"},
        {"payment in a form not programmed", "day=1", {"130", sale}, "15040000000010000", "20"},
        {"end before the coupon is paid",
         "day=1",
         {"130", sale, "15010000000005000"},
         endCoupon,
         "09"},
        {"payment once paid", "day=1", {"130", sale, cash}, cash, "09"},
        {"cancelling an item twice", "day=1", {"130", sale, "1A"}, "1A", "70"},
        {"cancelling with no coupon open", "day=1", {}, "1D", "70"},
        {"cancelling a coupon after a receipt",
         "day=1",
         {"130", sale, cash, endCoupon, "2901010000000100000" + kBlanks13},
         "1E",
         "70"},
        {"cancelling a coupon cancelled",
         "day=1",
         {"130", sale, cash, endCoupon, "1E"},
         "1E",
         "70"},
        {"bound receipt after cash", "day=1", {"130", sale, cash, endCoupon}, "131", "09"},
        {"out of paper", "day=1; paper=out", {}, "130", "10"},
        {"no new coupon near the paper's end", "day=1; paper=low", {}, "130", "62"},
        {"mechanism failed", "day=1; mechanism.error=1", {}, "130", "18"},
    };
    for (const auto& c : cases) {
        start(c.seed);
        for (const std::string& command : c.before) ASSERT_EQ(status(command), "00") << c.what;
        const sim::yanco::Model before = printer->model();
        const std::string paper = printer->paper().text();
        EXPECT_EQ(status(c.command), c.status) << c.what;
        // A refused command changes nothing and prints nothing.
        EXPECT_TRUE(printer->model() == before) << c.what;
        EXPECT_EQ(printer->paper().text(), paper) << c.what;
    }
}

TEST_F(YancoSimTest, CancellingCouponsTakesTheirAmountsBack) {
    start("day=1");
    const std::string sale = item("1", "ARROZ", "000010000", "0001000", "01");
    // The coupon in progress: its total goes to the cancellations, nothing to the slots.
    for (const std::string& command : {std::string("130"), sale, std::string("1D")})
        ASSERT_EQ(status(command), "00");
    // The last coupon, ended: a document of its own, and its sale and payment taken back.
    for (const std::string& command : {std::string("130"), sale, std::string("15030000000010000"),
                                       "1600" + std::string(168, ' '), std::string("1E")})
        ASSERT_EQ(status(command), "00");
    EXPECT_EQ(data("34001"), "000000000000002000");
    EXPECT_EQ(data("34008"), "00000000002000");
    EXPECT_EQ(data("34013"), "0002");
    EXPECT_EQ(data("34014"), "00000000000000");
    EXPECT_EQ(data("34042"), "00000000000000");
    EXPECT_EQ(data("34039"), "00000000000000");
    EXPECT_EQ(data("34077"), "000003");
}

}  // namespace
}  // namespace quelfi::test
