// The virtual printer's sale rules, command by command: fields and their forms, payment forms,
// the closing's payments, cancellations and the day's rules for a new coupon.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/wire_bytes.h"

namespace quelfi::sim {
namespace {

using test::concat;
using test::hex;

const char* const kSeed =
    "clock=15/03/2024 10:30:45; coo=100; rates=18.00,7.00; payments=Dinheiro,Cartao;"
    "departments=Bebidas";

std::string esc(const std::string& body) {
    return "\x1b" + body;
}
std::string padded(const std::string& text, std::size_t width) {
    std::string out = text;
    out.resize(width, ' ');
    return out;
}
std::string opening() {
    return esc(std::string(1, '\0') + std::string(29, ' '));
}
// By rate slot: quantity of 4 or 7 digits, price of 8, discount of 8 (value) or 4 (percentage).
std::string item(const std::string& rate, const std::string& quantity, const std::string& price,
                 const std::string& discount = "00000000") {
    return esc("\x09" + padded("789", 13) + padded("ITEM", 29) + rate + quantity + price +
               discount);
}
std::string payment(const std::string& index, const std::string& amount14,
                    const std::string& text = "") {
    return esc("H" + index + amount14 + text);
}
const std::string kNoAdjustment = esc(" d00000000000000");
const std::string kEnd = esc("\x22");
const std::string kOk = "06 00 00";

// What every rate holds, letters included: the grand total's growth less cancellations and
// discounts, whatever happened in between.
Money rateTotals(const FiscalModel& m) {
    Money sum = m.day.icmsExempt + m.day.icmsNonIncidence + m.day.icmsSubstitution +
                m.day.issExempt + m.day.issNonIncidence + m.day.issSubstitution;
    for (const auto& rate : m.taxRates) sum += rate.dayTotal;
    return sum;
}
Money netSales(const FiscalModel& m) {
    return m.grandTotal - m.day.icmsCancellations - m.day.issCancellations - m.day.icmsDiscounts -
           m.day.issDiscounts;
}

class SimSaleRules : public ::testing::Test {
  protected:
    // Runs the commands, expecting each reply in hexadecimal.
    void run(const std::vector<std::pair<std::string, std::string>>& steps) {
        for (const auto& [command, reply] : steps)
            EXPECT_EQ(hex(printer.execute(command)), reply) << hex(command);
    }
    QuelmarPrinter printer{modelFromSeed(kSeed)};
};

TEST_F(SimSaleRules, ItemFieldsTheirFormsAndRefusals) {
    run({{opening(), kOk},
         // 3 x 1,99 with 10 %; 1,500 x 8,99 less 0,50; exempt 0,10.
         {item("01", "0003", "00000199", "1000"), kOk},
         {esc("8" + padded("2", 13) + padded("FEIJAO", 29) + "02" + "0001500" + "00000899" +
              "00000050"),
          kOk},
         {item("II", "0001", "00000010"), kOk},
         // Lengths that fit no form; fields that are not digits or not programmed.
         {item("01", "00001", "00000100"), "06 01 00"},
         {item("01", "000A", "00000100"), "06 00 81"},
         {item("00", "0001", "00000100"), "06 00 81"},
         {item("17", "0001", "00000100"), "06 00 81"},
         {item("03", "0001", "00000100"), "06 00 11"},
         {item("XY", "0001", "00000100"), "06 00 81"},
         {item("01", "0000", "00000100"), "06 00 81"},
         {item("01", "0001", "00000100", "9999"), "06 00 81"},  // 99,99 % of 1,00 rounds to all
         {item("01", "0001", "00000100", "5000"), kOk},
         {item("01", "0001", "00000100", "00000100"), "06 00 81"}});
    const FiscalModel m = printer.model();
    ASSERT_EQ(m.coupon.items.size(), 4u);
    EXPECT_EQ(m.coupon.items[0].gross, 597);
    EXPECT_EQ(m.coupon.items[0].discount, 60);  // 59,7 centavos rounded
    EXPECT_EQ(m.coupon.items[1].gross, 1349);   // 13,485 rounded
    EXPECT_EQ(m.counters.lastItem, 4);
    EXPECT_EQ(m.taxRates[0].dayTotal, 537 + 50);
    EXPECT_EQ(m.taxRates[1].dayTotal, 1299);
    EXPECT_EQ(m.day.icmsExempt, 10);
    EXPECT_EQ(rateTotals(m), netSales(m));

    // A printer that truncates; one whose type has no separate service totals.
    QuelmarPrinter truncating(modelFromSeed(std::string(kSeed) + "; truncate=1; type=3"));
    EXPECT_EQ(hex(truncating.execute(opening())), kOk);
    EXPECT_EQ(hex(truncating.execute(item("02", "0001500", "00000899"))), kOk);
    EXPECT_EQ(truncating.model().coupon.items[0].gross, 1348);
    EXPECT_EQ(hex(truncating.execute(item("SI", "0001", "00000100"))), "06 00 81");
}

TEST_F(SimSaleRules, DepartmentSaleTakesItsTailAndTheWaitingUnit) {
    auto department = [](const std::string& index, const std::string& unit,
                         const std::string& tail) {
        return esc(concat({"?01", "000005490", "0002000", "0000000020", "0000000030"}) + index +
                   std::string(20, '0') + unit + tail);
    };
    const std::string code49(49, 'C');
    run({{opening(), kOk},
         {esc(">3KG"), kOk},
         {department("01", std::string(2, '\0'),
                     "12" + std::string(1, '\0') + "GUARANA" + std::string(1, '\0')),
          kOk},
         {department("01", "LT", code49 + "AGUA" + std::string(1, '\0')), kOk},
         {department("02", "LT", "1" + std::string(1, '\0') + "X" + std::string(1, '\0')),
          "06 00 81"},  // department without a name
         {department("01", "LT", "1" + std::string(1, '\0') + "X" + std::string(2, '\0')),
          "06 01 00"}});  // bytes after the description
    const FiscalModel m = printer.model();
    ASSERT_EQ(m.coupon.items.size(), 2u);
    EXPECT_EQ(m.coupon.items[0].unit, "KG");
    EXPECT_EQ(m.coupon.items[0].description, "GUARANA");
    EXPECT_EQ(m.coupon.items[1].code, code49);
    EXPECT_EQ(m.coupon.items[1].description, "AGUA");
    EXPECT_EQ(m.coupon.items[1].unit, "LT");
    // 2,000 x 5,490 - 0,20 + 0,30 each.
    EXPECT_EQ(m.departments[0].dayTotal, 2 * 1108);
    EXPECT_EQ(m.departments[0].quantity, 4000);
    EXPECT_EQ(m.day.icmsSurcharges, 60);
    EXPECT_EQ(rateTotals(m), netSales(m));
}

TEST_F(SimSaleRules, PaymentFormsAreFoundOrProgrammed) {
    auto index = [&](const std::string& name) {
        return hex(printer.execute(esc("G" + padded(name, 16))));
    };
    EXPECT_EQ(index("Dinheiro"), "06 30 31 00 00");
    EXPECT_EQ(index("Vale"), "06 30 33 00 00");
    EXPECT_EQ(index("Vale"), "06 30 33 00 00");
    EXPECT_EQ(printer.model().paymentForms[2].name, "Vale");
    EXPECT_EQ(index(""), "06 30 30 00 81");
    printer.update([](FiscalModel& m) { m.paymentForms.resize(kPaymentFormSlots, {"Outra"}); });
    EXPECT_EQ(index("Cheque"), "06 FF FF 00 00");
    EXPECT_EQ(index("Cartao"), "06 30 32 00 00");
}

TEST_F(SimSaleRules, PaymentsUntilTheTotalThenTheEnd) {
    run({{payment("01", "00000000000100"), "06 00 01"},  // no coupon
         {opening(), kOk},
         {item("01", "0001", "00001000"), kOk},
         {payment("01", "00000000000100"), "06 00 01"},  // closing not started
         {kEnd, "06 00 01"},
         {esc("\x1d"), "06 00 00 00 00 00 10 00 00 00"},
         {esc(" A0500"), kOk},                          // 5 % on 10,00
         {item("01", "0001", "00000100"), "06 00 01"},  // no item once the closing started
         {esc(" a00000000000001"), "06 00 01"},
         {esc("\x1d"), "06 00 00 00 00 00 10 50 00 00"},
         {esc("!" + padded("Cheque", 22) + "00000000000400"), kOk},  // by name, programmed
         {kEnd, "06 00 01"},                                         // not paid in full yet
         {payment("02", "00000000000700", "AUT 1234"), kOk},
         {payment("01", "00000000000100"), "06 00 01"},  // already paid in full
         {payment("09", "00000000000100"), "06 00 81"},
         {esc("J" + padded("Cartao", 16) + padded("Dinheiro", 16) + "00000000000200"), kOk},
         {esc("J" + padded("Cartao", 16) + padded("Dinheiro", 16) + "00000000000600"), "06 00 81"},
         {kEnd + "Volte sempre\r\n", kOk},
         {esc("\x1d"), "06 00 00 00 00 00 00 00 00 01"}});
    FiscalModel m = printer.model();
    EXPECT_EQ(m.paymentForms[0].dayTotal, 200);
    EXPECT_EQ(m.paymentForms[1].dayTotal, 500);
    EXPECT_EQ(m.paymentForms[2].name, "Cheque");
    EXPECT_EQ(m.paymentForms[2].lastCoupon, 400);
    EXPECT_EQ(m.lastCouponPaid, 1100);
    EXPECT_EQ(m.day.icmsSurcharges, 50);
    EXPECT_TRUE(m.lastCouponCancellable);
    EXPECT_EQ(m.document, DocumentState::None);
    const auto lines = printer.paper().lines();
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 12, lines.begin() + 23),
              (std::vector<std::string>{
                  "SUBTOTAL R$                                10,00",
                  "ACRÉSCIMO 5,00%                            +0,50",
                  "TOTAL R$                                   10,50",
                  "Cheque                                      4,00",
                  "Cartao                                      7,00",
                  "  AUT 1234",
                  "ESTORNO Cartao > Dinheiro                   2,00",
                  "TROCO R$                                    0,50",
                  std::string(48, '-'),
                  "Volte sempre",
                  std::string(48, '-'),
              }));
    // A unit given between coupons goes to the next coupon's first item.
    run({{esc(">3LT"), kOk}, {opening(), kOk}, {item("01", "0001", "00000100"), kOk}});
    m = printer.model();
    EXPECT_EQ(m.coupon.items.at(0).unit, "LT");
}

TEST_F(SimSaleRules, CancellationsMoveValuesToTheCancelledTotals) {
    run({{esc("\x0e"), "06 00 05"},  // nothing to cancel
         {opening(), kOk},
         {esc("\x0d"), "06 00 05"},  // no item yet
         {item("01", "0002", "00000500"), kOk},
         {item("II", "0001", "00000300", "1000"), kOk},
         {esc(concat({"\x1F", "0003"})), "06 00 81"},
         {esc(concat({"\x1F", "0001"})), kOk},
         {esc(concat({"\x1F", "0001"})), "06 00 05"},
         {esc(" d00000000000100"), kOk},
         {esc("\x0d"), "06 00 05"},  // closing started
         {esc("\x0e"), kOk}});
    FiscalModel m = printer.model();
    EXPECT_EQ(m.grandTotal, 1000 + 300);
    EXPECT_EQ(m.day.icmsDiscounts, 30 + 100);
    EXPECT_EQ(m.day.icmsCancellations, 1000 + 170);
    EXPECT_EQ(rateTotals(m), 0);
    EXPECT_EQ(rateTotals(m), netSales(m));
    EXPECT_EQ(m.counters.cancelledCoupons, 1);
    EXPECT_EQ(m.counters.coo, 101);
    EXPECT_EQ(m.document, DocumentState::None);

    // A closed coupon may be cancelled until another document takes a number.
    run({{opening(), kOk},
         {item("02", "0001", "00000700"), kOk},
         {kNoAdjustment, kOk},
         {payment("02", "00000000000700"), kOk},
         {kEnd, kOk},
         {opening(), kOk},
         {esc("\x0e"), kOk},  // cancels the open one
         {esc("\x0e"), "06 00 05"}});
    m = printer.model();
    EXPECT_EQ(m.counters.cancelledCoupons, 2);
    EXPECT_EQ(m.taxRates[1].dayTotal, 700);
    EXPECT_EQ(m.paymentForms[1].dayTotal, 700);

    run({{opening(), kOk},
         {item("02", "0001", "00000700"), kOk},
         {kNoAdjustment, kOk},
         {payment("02", "00000000000700"), kOk},
         {kEnd, kOk},
         {esc("\x0e"), kOk}});
    m = printer.model();
    EXPECT_EQ(m.counters.coo, 105);  // the cancellation took its own number
    EXPECT_EQ(m.counters.cancelledCoupons, 3);
    EXPECT_EQ(m.taxRates[1].dayTotal, 700);
    EXPECT_EQ(m.paymentForms[1].dayTotal, 700);
    EXPECT_FALSE(m.lastCouponCancellable);
    EXPECT_EQ(rateTotals(m), netSales(m));
}

TEST_F(SimSaleRules, TheCouponSurvivesInTheModelText) {
    run({{esc(std::string(1, '\0') + padded("123.456.789-09", 29) + padded("Jos\x82", 30) +
              padded("Rua A, 1; fundos", 80)),
          kOk},
         {item("01", "0003", "00000199", "1000"), kOk},
         {esc(concat({"?II", "000005490", "0002000", "0000000020", "0000000030", "01"}) +
              std::string(20, '0') + "LT" + "12" + std::string(1, '\0') + "A%B/C" +
              std::string(1, '\0')),
          kOk},
         {esc(concat({"\x1F", "0001"})), kOk},
         {esc(" D1000"), kOk},
         {payment("02", "00000000000500", " cart\x84o; 1/2 "), kOk},
         {esc(">3KG"), "06 00 01"}});
    const FiscalModel m = printer.model();
    EXPECT_EQ(modelFromSeed(modelText(m)), m);
    // The last coupon, closed, with extras waiting for the next one.
    run({{payment("01", "00000000010000"), kOk}, {kEnd, kOk}, {esc(">4Mais texto"), kOk}});
    EXPECT_EQ(modelFromSeed(modelText(printer.model())), printer.model());

    FiscalModel fresh;
    EXPECT_EQ(applySeed(fresh, "coupon.item.2=x").value_or(""),
              "bad value for 'coupon.item.2': 'x'");
    EXPECT_EQ(applySeed(fresh, "coupon.payment.2=1,1.00,").value_or(""),
              "unknown setting 'coupon.payment.2'");
    EXPECT_EQ(applySeed(fresh, "coupon.colour=1").value_or(""), "unknown setting 'coupon.colour'");
}

TEST(SimSaleDay, ANewCouponFollowsTheDayRules) {
    struct Case {
        const char* seed;
        const char* reply;
    };
    const Case cases[] = {
        {"", "06 00 00"},
        {"movement=14/03/2024", "06 00 01"},         // yesterday not reduced
        {"z.1.at=15/03/2024 00:10:00", "06 00 01"},  // today already reduced
        {"z.1.at=14/03/2024 23:00:00", "06 00 00"},  // reduced yesterday
        {"cnpj=", "06 00 03"},                       // owner not programmed
        {"memory=1; z.1.at=01/01/2024 00:00:00", "06 00 41"},
        {"paper=out", "06 80 01"},
        {"document=nonfiscal", "06 00 01"},
        {"document=coupon", "06 02 01"},
        {"document=payment", "06 02 01"},
    };
    for (const auto& c : cases) {
        QuelmarPrinter printer(modelFromSeed(std::string(kSeed) + ";" + c.seed));
        EXPECT_EQ(hex(printer.execute(opening())), c.reply) << c.seed;
        if (std::string(c.reply) == "06 00 00") {
            EXPECT_EQ(printer.model().counters.coo, 101);
            EXPECT_EQ(printer.model().movementDate, (CivilDate{2024, 3, 15}));
        }
    }
    // The electronic-journal model takes the same commands after FS.
    QuelmarPrinter journal(modelFromSeed(std::string(kSeed) + "; mfd=1"));
    EXPECT_EQ(hex(journal.execute("\x1c" + opening().substr(1))), "06 00 00 00 00");
}

}  // namespace
}  // namespace quelfi::sim
