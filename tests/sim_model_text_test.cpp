// Setting a printer up from a seed, keeping its state in a file between runs, and the paper it
// prints: readable lines, kept and optionally appended to a file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "sim/paper_roll.h"
#include "sim/quelmar/model_file.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/receipt_layout.h"
#include "support/library_fixture.h"

namespace quelfi::sim {
namespace {

TEST(SimSeed, SetsUpThePrinterItDescribes) {
    const FiscalModel m = modelFromSeed(
        "rates=18.00,7.00/ISS; coo=1234; payments=Dinheiro,Cartao/V; serial=QM0123456789;\n"
        "# a comment line\n"
        "firmware=01.03.00; mfd=1; type=1; departments=,Padaria; clock=29/02/2024 23:59:58");
    FiscalModel expected;
    expected.taxRates = {{1800, TaxBinding::Icms, 0}, {700, TaxBinding::Iss, 0}};
    expected.counters.coo = 1234;
    expected.paymentForms = {{"Dinheiro", false, 0, 0}, {"Cartao", true, 0, 0}};
    expected.serialNumber = "QM0123456789";
    expected.firmware = {1, 3, 0};
    expected.electronicJournal = true;
    expected.printerType = 1;
    expected.departments[1].name = "Padaria";
    expected.clock.stoppedAt = DateTime{{2024, 2, 29}, 23, 59, 58};
    EXPECT_EQ(m, expected);
}

TEST(SimSeed, KeepsTextsInThePrinterCodePage) {
    const FiscalModel m = modelFromSeed("payments=Cartão,Crédito%2FDébito; cliche=%20Loja 100%25 ");
    ASSERT_EQ(m.paymentForms.size(), 2u);
    EXPECT_EQ(m.paymentForms[0].name, "Cart\xC6o");
    EXPECT_EQ(m.paymentForms[1].name, std::string("Cr\x82") + "dito/D\x82" + "bito");
    EXPECT_EQ(m.cliche, " Loja 100%");
}

TEST(SimSeed, RejectsWhatItDoesNotUnderstand) {
    struct Case {
        const char* seed;
        const char* error;
    };
    const Case cases[] = {
        {"colour=blue", "unknown setting 'colour'"},
        {"coo=12x", "bad value for 'coo': '12x'"},
        {"coo", "setting without '=': 'coo'"},
        {"type=9", "bad value for 'type': '9'"},
        {"rates=18.001", "bad value for 'rates': '18.001'"},
        {"rates=18/IPI", "bad value for 'rates': '18/IPI'"},
        {"rates=1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17",
         "bad value for 'rates': '1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17'"},
        {"rate.1.total=5", "no rate 1 for 'rate.1.total'"},
        {"clock=30/02/2024 10:00:00", "bad value for 'clock': '30/02/2024 10:00:00'"},
        {"firmware=1.3", "bad value for 'firmware': '1.3'"},
        {"serial=A%2", "bad value for 'serial': 'A%2'"},
        {"z.2.crz=1", "unknown setting 'z.2.crz'"},
        {"z.1.colour=1", "unknown setting 'z.N.colour'"},
        {"paper=torn", "bad value for 'paper': 'torn'"},
    };
    for (const auto& c : cases) {
        FiscalModel m;
        EXPECT_EQ(applySeed(m, c.seed).value_or("accepted"), c.error) << c.seed;
    }
    EXPECT_THROW(modelFromSeed("coo=-1"), std::invalid_argument);
}

// A printer where every field differs from a fresh one.
FiscalModel busyPrinter() {
    FiscalModel m = modelFromSeed(
        "mfd=1; type=6; serial=QM 99; firmware=02.13.07; cnpj=1; ie=2; im=3;"
        "cliche=Padaria São João; store=4; register=5; currency=$; truncate=1; dst=1; mode=2;"
        "eprom=0; memory=10; paper=low; paper.lines=33; drawer=1; cheque=12; clock.error=1;"
        "printer.error=1; ram.error=1; st3=9; minutes=6; minutes.printing=7;"
        "coo=11; crz=12; cro=13; gnf=14; ccf=15; grg=16; cdc=17; cancelled=18;"
        "cancelled.nonfiscal=19; owners=20; tickets=21; lastitem=22; gt=99999999.99;"
        "lastpaid=1.5; cancellable=1; movement=01/01/2024; document=bound;"
        "icms.exempt=1; icms.nonincidence=2; icms.substitution=3; iss.exempt=4;"
        "iss.nonincidence=5; iss.substitution=6; icms.discounts=7; iss.discounts=8;"
        "icms.surcharges=9; iss.surcharges=10; icms.cancellations=11; iss.cancellations=12;"
        "withdrawals=13; supplies=14;"
        "rates=18,7.5/ISS; rate.2.total=0.01; payments=A%3BB,C/V; payment.1.total=2;"
        "payment.2.last=3; payment.2.bound=2; lastcoo=23; bound.coupon=23; totalizers=,X=Y; "
        "totalizer.2.count=4; totalizer.50.total=5;"
        "departments=,,Café; department.3.total=6; department.20.quantity=0.001;"
        "z.1.crz=1; z.1.coo=2; z.1.gnf=3; z.1.gt=4; z.1.at=31/12/2023 23:59:59;"
        "z.1.movement=31/12/2023; z.1.automatic=1; z.1.rates=1/ISS,2; z.1.ratetotals=5,6;"
        "z.1.supplies=7; z.1.nftotals=8; z.1.nfcounts=0,9; z.2.crz=2;"
        "currency.singular=Peso; currency.plural=Pesos; impact=3; feed=4; spacing=9;"
        "authentication=0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,255;"
        "coupon.ticket=1; coupon.ticket.fare=1; barcode=48,4,1,1,120;"
        // The journal printer's records.
        "nonfiscal.discounts=15; nonfiscal.surcharges=16; nonfiscal.cancellations=17;"
        "z.1.nonfiscal.cancellations=18; reports=,Vendas; report.2.count=3;"
        "bound.last=5,2,1.5,6,1,0,1; journal.1.coo=7; journal.1.kind=bound.copy;"
        "journal.1.at=01/01/2024 10:00:00; journal.1.lines=A,%20B%2C,; journal.2.coo=8;"
        "coupon.coo=9; coupon.surcharge=1; coupon.surcharge.percent=10.00; coupon.totalled=1;"
        "coupon.additional=1; coupon.payment.1=1,2.00,x,3;"
        "coupon.item.1=1,A,UN,01,0,0,1.000,0,1.00,1.00,0.10,10.00,0.05,0.00,0,5.00;"
        "receipt.coo=8; receipt.item.1=01,Taxa,,,0,0,1.000,0,1.00,1.00,0.00,,0.00,-0.10,1,");
    m.clock = {std::nullopt, -3600};
    return m;
}

class SimModelFile : public test::LibraryTest {};

TEST_F(SimModelFile, SavedStateLoadsBackUnchanged) {
    const FiscalModel m = busyPrinter();
    EXPECT_EQ(modelFromSeed(modelText(m)), m);
    const std::string path = root() + "/printer.state";
    ASSERT_TRUE(saveModel(m, path));
    std::string error;
    const auto loaded = loadModel(path, &error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(*loaded, m);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    // A fresh printer round-trips too (its tables are written even when empty).
    ASSERT_TRUE(saveModel(FiscalModel{}, path));
    EXPECT_EQ(loadModel(path).value_or(m), FiscalModel{});
}

TEST(SimSeed, ReadsTheCouponOfOlderStateFiles) {
    // One percentage for the subtotal's surcharge or discount, and items without a surcharge
    // percentage, payments without instalments.
    const FiscalModel m = modelFromSeed(
        "coupon.coo=5; coupon.discount=1.00; coupon.percent=10.00; coupon.payment.1=1,2.00,;"
        "coupon.item.1=1,A,UN,01,0,0,1.000,0,1.00,1.00,0.00,,0.00,0.00,0");
    EXPECT_EQ(m.coupon.discountPercent, 1000);
    EXPECT_EQ(m.coupon.surchargePercent, std::nullopt);
    EXPECT_EQ(m.coupon.payments.at(0).instalments, 0);
    EXPECT_EQ(m.coupon.items.at(0).surchargePercent, std::nullopt);
}

TEST_F(SimModelFile, ReportsFilesItCannotUse) {
    std::string error;
    EXPECT_FALSE(loadModel(root() + "/missing", &error));
    EXPECT_EQ(error, "cannot read " + root() + "/missing");
    test::writeFile(root() + "/broken", "coo=1\ncoo=x\n");
    EXPECT_FALSE(loadModel(root() + "/broken", &error));
    EXPECT_EQ(error, root() + "/broken: bad value for 'coo': 'x'");
}

TEST_F(SimModelFile, KeepsLinesAndAppendsThemToTheFile) {
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
