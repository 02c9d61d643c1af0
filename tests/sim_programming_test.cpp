// Programming the virtual printer: each setting read back where the printer uses it, and the
// settings that shape the fiscal day refused once the day has movement.
#include <gtest/gtest.h>

#include <string>

#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/sim_bytes.h"

namespace quelfi::sim {
namespace {

using test::hex;

const std::string kAccepted = "06 00 00";
const std::string kNotExecuted = "06 00 01";
const std::string kBadFields = "06 00 81";
const std::string kBadLength = "06 01 00";

class SimProgramming : public ::testing::Test {
  protected:
    std::string run(const std::string& body) { return hex(printer.execute("\x1B" + body)); }
    FiscalModel model() const { return printer.model(); }

    // The day after a Z reduction: no movement yet.
    QuelmarPrinter printer{modelFromSeed("clock=16/03/2024 08:00:00; rates=7.00; totalizers=Luz")};
};

TEST_F(SimProgramming, EachSettingIsReadWhereThePrinterUsesIt) {
    struct Case {
        std::string command;
        std::string reply;
    };
    const Case cases[] = {
        {std::string("\x07") + "18000", kAccepted},
        {std::string("\x07") + "05001", kAccepted},
        {std::string("\x07") + "05002", kBadFields},
        {std::string("\x07") + "0500", kBadLength},
        {"(02Sangria            ", kAccepted},
        {"(51Sangria            ", kBadFields},
        {"(03" + std::string(19, ' '), kBadFields},
        {"A03Padaria   ", kAccepted},
        {"A21Padaria   ", kBadFields},
        {"\x01$ ", kAccepted},
        {":Dolar              ", kAccepted},
        {";Dolares               ", kAccepted},
        {"'\x02", kAccepted},
        {"'\x03", kBadFields},
        {"=\x03", kAccepted},
        {std::string("<\0", 2), kAccepted},
        {"|\x03", kAccepted},
        {"|\x04", kBadFields},
        {"\x12", kAccepted},
    };
    for (const auto& c : cases) EXPECT_EQ(run(c.command), c.reply) << hex(c.command);
    const FiscalModel m = model();
    EXPECT_EQ(m.taxRates, (std::vector<TaxRate>{{700, TaxBinding::Icms, 0},
                                                {1800, TaxBinding::Icms, 0},
                                                {500, TaxBinding::Iss, 0}}));
    EXPECT_EQ(m.nonFiscalTotalizers[0].name, "Luz");
    EXPECT_EQ(m.nonFiscalTotalizers[1].name, "Sangria");
    EXPECT_EQ(m.departments[2].name, "Padaria");
    EXPECT_EQ(m.currencySymbol, "$");
    EXPECT_EQ(m.currencySingular, "Dolar");
    EXPECT_EQ(m.currencyPlural, "Dolares");
    EXPECT_TRUE(m.truncation);
    EXPECT_EQ(m.linesAfterDocument, 3);
    EXPECT_EQ(m.needleImpact, 3);
    // Daylight saving moved the clock an hour on and shows in the fiscal flags.
    EXPECT_EQ(hex(printer.execute("\x1B#\x17").substr(1, 6)), "16 03 24 09 00 00");
    EXPECT_EQ(hex(printer.execute("\x1B#\x11").substr(1, 1)), "04");

    // The reset puts the mechanism's settings back and keeps the fiscal ones.
    EXPECT_EQ(run("F"), kAccepted);
    EXPECT_EQ(model().linesAfterDocument, 0);
    EXPECT_EQ(model().needleImpact, 2);
    EXPECT_TRUE(model().truncation);
}

TEST_F(SimProgramming, TheDaysSettingsWaitForTheReduction) {
    printer.update([](FiscalModel& m) {
        applySeed(m, "rates=1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16; dst=1");
    });
    EXPECT_EQ(run(std::string("\x07") + "18000"), "06 00 09");  // the table is full
    printer.update([](FiscalModel& m) { applySeed(m, "rates=7.00; movement=16/03/2024"); });
    EXPECT_EQ(run(std::string("\x07") + "18000"), kNotExecuted);
    EXPECT_EQ(run("(02Sangria            "), kNotExecuted);
    EXPECT_EQ(run("'\x02"), kNotExecuted);
    EXPECT_EQ(run("\x12"), kNotExecuted);  // leaving daylight saving
    // Names that do not touch the day's totals are still taken.
    EXPECT_EQ(run("A01Bebidas   "), kAccepted);
    EXPECT_EQ(run(":Real               "), kAccepted);
    const FiscalModel m = model();
    EXPECT_EQ(m.taxRates.size(), 1u);
    EXPECT_FALSE(m.truncation);
    EXPECT_TRUE(m.daylightSaving);
    EXPECT_EQ(m.departments[0].name, "Bebidas");
    // Nothing is programmed while a document is open.
    printer.update([](FiscalModel& m) { m.document = DocumentState::ManagementReport; });
    EXPECT_EQ(run("A01Padaria   "), kNotExecuted);
}

}  // namespace
}  // namespace quelfi::sim
