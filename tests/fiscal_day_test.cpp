// A whole fiscal day through the exports against the virtual printer: the opening with its cash,
// a withdrawal, a receipt, a card voucher bound to a coupon, a management report, the X reading
// and the Z reduction, with what they leave in the printer, on the wire and in the INI.
#include "sim/quelmar/fiscal_day.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/printer_state.h"
#include "quelfi32.h"
#include "sim/quelmar/codes.h"
#include "sim/quelmar/in_process_port.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/wire_bytes.h"
#include "virtual_printer_fixture.h"

namespace quelfi::test {
namespace {

using sim::FiscalModel;

// Two days already reduced (the grand total stands at 1.000,00), 15/03/2024 at 18:00.
const char* const kPrinter =
    "clock=15/03/2024 18:00:00; coo=40; crz=2; gt=1000.00; rates=18.00,5.00/ISS;"
    "payments=Dinheiro,Cartao/V; totalizers=Recebimento;"
    "z.1.crz=1; z.1.coo=20; z.1.gt=400.00; z.1.at=13/03/2024 22:00:00; z.1.movement=13/03/2024;"
    "z.2.crz=2; z.2.coo=30; z.2.gt=1000.00; z.2.at=14/03/2024 22:00:00; z.2.movement=14/03/2024";

class FiscalDayTest : public VirtualPrinterTest {
  protected:
    void SetUp() override {
        VirtualPrinterTest::SetUp();
        reseed(kPrinter);
    }
    // A coupon of 150,00 at 18 %, paid 100,00 in cash and 50,00 by card, as the sale leaves it.
    void sellCoupon() {
        printer.update([](FiscalModel& m) {
            const int coo = ++m.counters.coo;
            ++m.counters.ccf;
            m.taxRates[0].dayTotal += 15000;
            m.grandTotal += 15000;
            m.paymentForms[0].dayTotal += 10000;
            m.paymentForms[0].lastCoupon = 10000;
            m.paymentForms[1].dayTotal += 5000;
            m.paymentForms[1].lastCoupon = 5000;
            m.lastCouponPaid = 15000;
            m.lastCouponCoo = coo;
        });
    }
    void runDay() {
        EXPECT_EQ(Quelmar_FI_AberturaDoDia("200,00", "Dinheiro"), 1);
        EXPECT_EQ(Quelmar_FI_Sangria("50,00"), 1);
        EXPECT_EQ(Quelmar_FI_RecebimentoNaoFiscal("01", "30,00", "Dinheiro"), 1);
        sellCoupon();
        EXPECT_EQ(Quelmar_FI_AbreComprovanteNaoFiscalVinculado("Cartao", "50,00", "45"), 1);
        EXPECT_EQ(Quelmar_FI_UsaComprovanteNaoFiscalVinculado("TEF APROVADO\r\nVIA DO CLIENTE"), 1);
        EXPECT_EQ(Quelmar_FI_FechaComprovanteNaoFiscalVinculado(), 1);
        EXPECT_EQ(Quelmar_FI_RelatorioGerencial("Fechamento do caixa 01"), 1);
        EXPECT_EQ(Quelmar_FI_FechaRelatorioGerencial(), 1);
        EXPECT_EQ(Quelmar_FI_LeituraX(), 1);
        EXPECT_EQ(Quelmar_FI_FechamentoDoDia(), 1);
    }
    // What the day must have left in the printer and in the INI.
    void checkTheDayClosed() {
        const FiscalModel m = printer.model();
        sim::Reduction z;
        z.crz = 3;
        z.coo = 49;
        z.gnf = 5;
        z.grandTotal = 115000;
        z.madeAt = {{2024, 3, 15}, 18, 0, 0};
        z.movementDate = {2024, 3, 15};
        z.rates = {{1800, sim::TaxBinding::Icms, 15000}, {500, sim::TaxBinding::Iss, 0}};
        z.totals.withdrawals = 5000;
        z.totals.supplies = 20000;
        z.nonFiscalTotals[0] = 3000;
        z.nonFiscalCounts[0] = 1;
        ASSERT_EQ(m.reductions.size(), 3u);
        EXPECT_EQ(m.reductions[2], z);

        sim::Counters counters;
        counters.coo = 49;  // reading 41, supply 42, withdrawal 43, receipt 44, coupon 45,
                            // bound receipt 46, report 47, reading 48, reduction 49
        counters.crz = 3;
        counters.gnf = 5;
        counters.ccf = 1;
        counters.grg = 1;
        counters.cdc = 1;
        EXPECT_EQ(m.counters, counters);
        EXPECT_EQ(m.grandTotal, 115000);
        EXPECT_EQ(m.day, sim::DayTotals{});
        EXPECT_EQ(m.taxRates[0].dayTotal, 0);
        EXPECT_EQ(m.nonFiscalTotalizers[0], (sim::NonFiscalTotalizer{"Recebimento", 0, 0}));
        EXPECT_FALSE(m.movementDate);
        EXPECT_EQ(m.document, sim::DocumentState::None);

        EXPECT_EQ(ini(), configuredIni() +
                             "[RelatorioTipo60]\nGTInicial=000000000000100000\n"
                             "GTFinal=000000000000115000\n");
    }
};

// Every command of the day goes with the printer's prefix; the bytes of each are checked where
// the library sends it to a scripted printer.
void expectPrefix(const std::vector<std::string>& commands, char prefix) {
    for (const std::string& command : commands) EXPECT_EQ(command[0], prefix) << hex(command);
}

TEST_F(FiscalDayTest, DayOnAPrinterWithoutJournal) {
    configure();
    runDay();
    checkTheDayClosed();
    const std::vector<std::string> sent = commands();
    expectPrefix(sent, '\x1B');
    EXPECT_EQ(
        std::vector<std::string>(sent.end() - 5, sent.end()),
        (std::vector<std::string>{"\x1B>7", "\x1B\x05", "\x1B\x13", "\x1B#\x11", "\x1B#\x03"}));

    // A second reduction the same day is refused: the records keep the day they describe.
    const std::string records = ini();
    const std::size_t before = port.frames().size();
    EXPECT_EQ(Quelmar_FI_ReducaoZ(nullptr, nullptr), 1);
    EXPECT_EQ(commands(before), (std::vector<std::string>{"\x1B>7", "\x1B\x05"}));
    EXPECT_EQ(port.replies().back(), bytes({6, 0, sim::codes::kSt2NotExecuted}));
    EXPECT_EQ(ini(), records);
    EXPECT_EQ(printer.model().reductions.size(), 3u);
    // Nor is any cash taken before midnight.
    EXPECT_EQ(Quelmar_FI_Suprimento("10,00", nullptr), 1);
    EXPECT_EQ(port.replies().back(), bytes({6, 0, sim::codes::kSt2NotExecuted}));

    // The fiscal memory now holds the three days.
    EXPECT_EQ(Quelmar_FI_LeituraMemoriaFiscalReducao("1", "3"), 1);
    const std::vector<std::string> paper = printer.paper().lines();
    const std::vector<std::string> summary(paper.end() - 5, paper.end() - 3);
    EXPECT_EQ(summary,
              (std::vector<std::string>{"REDUÇÕES NO PERÍODO                         0003",
                                        "VENDA BRUTA NO PERÍODO                  1.150,00"}));
}

TEST_F(FiscalDayTest, DayOnAJournalPrinterWaitsForTheReductionToFinish) {
    printer.update([](FiscalModel& m) { m.electronicJournal = true; });
    configure("[MFD]\nImpressora=1\n");
    core::state().mfdPrinter = true;  // as the journal's extended replies are switched on
    const std::uint64_t sleptBefore = platform.slept();
    runDay();
    checkTheDayClosed();

    // After the reduction the status is asked until the journal is written.
    const std::vector<std::string> sent = commands();
    expectPrefix(sent, '\x1C');
    const std::size_t firstPoll =
        std::find(sent.begin(), sent.end(), "\x1C\x05") - sent.begin() + 1;
    ASSERT_GT(sent.size(), firstPoll + 6);
    EXPECT_EQ(sent.back(), "\x1C#\x03");
    const std::vector<std::string> polls(sent.begin() + firstPoll, sent.end() - 1);
    EXPECT_EQ(polls, std::vector<std::string>(polls.size(), "\x1C\x13"));
    std::size_t busy = 0;
    const std::vector<std::string>& replies = port.replies();
    for (std::size_t i = firstPoll; i < firstPoll + polls.size(); ++i) {
        const bool executing = replies[i] == bytes({6, 0, 0, 9, 0});
        if (executing) ++busy;
        // Every "still executing" answer comes before the five "ready" ones that end the wait.
        EXPECT_EQ(executing, i < firstPoll + polls.size() - 5) << i;
    }
    EXPECT_GE(busy, 1u);
    EXPECT_GE(platform.slept() - sleptBefore, sim::kReductionBusyMs);
    EXPECT_FALSE(core::state().longWaitActive);
}

}  // namespace
}  // namespace quelfi::test
