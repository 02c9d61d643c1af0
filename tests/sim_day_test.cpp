// The virtual printer's fiscal day: the documents besides the coupon and their states, the cash
// movements on their totalizers, the readings printed from the totals, the Z reduction with the
// fiscal-memory record it writes, and the rules that close the day.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/quelmar/fiscal_day.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "sim/quelmar/receipt_layout.h"
#include "support/wire_bytes.h"

namespace quelfi::sim {
namespace {

using layout::centred;
using layout::rule;
using layout::spread;
using test::hex;
using Lines = std::vector<std::string>;

const std::string kAccepted = "06 00 00";
const std::string kNotExecuted = "06 00 01";
const std::string kBadFields = "06 00 81";
const std::string kBadLength = "06 01 00";

// Two reductions in the fiscal memory and a day with some movement, at 18:00 on 15/03/2024.
const char* const kDay =
    "cliche=LOJA EXEMPLO; cnpj=11.222.333/0001-81; ie=111.222.333.444; serial=QM0000000001;"
    "clock=15/03/2024 18:00:00; coo=40; gnf=3; ccf=1; crz=2; gt=1150.00;"
    "rates=18.00,5.00/ISS; rate.1.total=150.00; payments=Dinheiro,Cartao/V;"
    "payment.1.total=330.00; payment.2.total=50.00; totalizers=Recebimento;"
    "totalizer.1.count=1; totalizer.1.total=30.00; withdrawals=50.00; supplies=200.00;"
    "movement=15/03/2024;"
    "z.1.crz=1; z.1.coo=20; z.1.gnf=1; z.1.gt=400.00; z.1.at=13/03/2024 22:00:00;"
    "z.1.movement=13/03/2024; z.1.rates=18.00; z.1.ratetotals=400.00;"
    "z.2.crz=2; z.2.coo=30; z.2.gnf=2; z.2.gt=1000.00; z.2.at=14/03/2024 22:00:00;"
    "z.2.movement=14/03/2024; z.2.rates=18.00; z.2.ratetotals=600.00; z.2.withdrawals=10.00";

class SimDay : public ::testing::Test {
  protected:
    explicit SimDay(const std::string& seed = kDay) : printer(modelFromSeed(seed)) {}
    // The reply to a command (its byte after ESC, then its fields), as hexadecimal pairs.
    std::string run(char command, const std::string& fields = "") {
        return hex(printer.execute(std::string{'\x1B', command} + fields));
    }
    // What was printed since the last look.
    Lines printed() {
        Lines lines = printer.paper().lines();
        printer.paper().clear();
        return lines;
    }
    FiscalModel model() const { return printer.model(); }
    Lines heading(int coo, const std::string& title) {
        return layout::heading(printer.model(), coo, title);
    }
    Lines foot() { return layout::foot(printer.model()); }

    QuelmarPrinter printer;
};

Lines operator+(Lines lines, const Lines& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

TEST_F(SimDay, ManagementReportOpensWithItsFirstTextAndEndsWithTheFoot) {
    EXPECT_EQ(run('\x15'), kNotExecuted);
    EXPECT_EQ(run('\x14', "Caixa 01\r\nOperador: Ana\r\n"), kAccepted);
    EXPECT_EQ(run('\x14', std::string(100, 'x')), kAccepted);
    EXPECT_EQ(model().document, DocumentState::ManagementReport);
    // Nothing else starts while the report is open.
    EXPECT_EQ(run('B', "Cartao          "), kNotExecuted);
    EXPECT_EQ(run('\x19', "SA00000000000100"), kNotExecuted);
    EXPECT_EQ(run('\x06'), kNotExecuted);
    EXPECT_EQ(run('\x05'), kNotExecuted);
    EXPECT_EQ(run('\x15'), kAccepted);
    EXPECT_EQ(printed(), (heading(41, "RELATÓRIO GERENCIAL") +
                          Lines{"Caixa 01", "Operador: Ana", std::string(48, 'x'),
                                std::string(48, 'x'), "xxxx"} +
                          foot()));
    const FiscalModel m = model();
    EXPECT_EQ(m.document, DocumentState::None);
    EXPECT_EQ(m.counters.coo, 41);
    EXPECT_EQ(m.counters.gnf, 4);
    EXPECT_EQ(m.counters.grg, 1);
    EXPECT_EQ(run('C', "Texto\r\n"), kNotExecuted);
}

TEST_F(SimDay, BoundReceiptOnlyWithinTheLastCouponsPaymentInThatForm) {
    printer.update([](FiscalModel& m) {
        m.lastCouponCoo = 40;
        m.paymentForms[0].lastCoupon = 1000;
        m.paymentForms[1].lastCoupon = 5000;
    });
    EXPECT_EQ(run('B', "Dinheiro        "), kNotExecuted);  // a form without bound receipts
    EXPECT_EQ(run('B', "Vale            "), kBadFields);
    EXPECT_EQ(run('B', "Cartao          00000000006000000040"), kNotExecuted);
    EXPECT_EQ(run('B', "Cartao          00000000003000000039"), kNotExecuted);
    EXPECT_EQ(run('B', "Cartao          0000000000300"), kBadLength);
    EXPECT_TRUE(printed().empty());

    EXPECT_EQ(run('B', "Cartao          00000000003000000040"), kAccepted);
    EXPECT_EQ(run('C', "TEF APROVADO\r\n"), kAccepted);
    EXPECT_EQ(run('\x15'), kAccepted);
    EXPECT_EQ(printed(), (heading(41, "COMPROVANTE NÃO-FISCAL VINCULADO") +
                          Lines{spread("COO DO CUPOM FISCAL", "000040"), spread("Cartao", "30,00"),
                                rule(), "TEF APROVADO"} +
                          foot()));
    // Without an amount the receipt takes what is left of the payment, and then nothing is.
    EXPECT_EQ(run('B', "Cartao          "), kAccepted);
    EXPECT_EQ(printed()[7], spread("Cartao", "20,00"));
    EXPECT_EQ(run('\x15'), kAccepted);
    EXPECT_EQ(run('B', "Cartao          "), kNotExecuted);
    FiscalModel m = model();
    EXPECT_EQ(m.counters.coo, 42);
    EXPECT_EQ(m.counters.cdc, 2);
    EXPECT_EQ(m.bound.coo, 40);
    EXPECT_EQ(m.bound.covered[1], 5000);

    // The next coupon's payment starts from nothing.
    printer.update([](FiscalModel& m) {
        m.lastCouponCoo = 45;
        m.paymentForms[1].lastCoupon = 700;
    });
    EXPECT_EQ(run('B', "Cartao          00000000000700000045"), kAccepted);
    EXPECT_EQ(model().bound.covered[1], 700);
}

TEST_F(SimDay, ReceiptsMoveTheirTotalizersAndTheCash) {
    printer.update([](FiscalModel& m) { m.movementDate.reset(); });
    EXPECT_EQ(run('\x19', "0100000000003000Dinheiro        "), kAccepted);
    EXPECT_EQ(printed(),
              (heading(41, "COMPROVANTE NÃO-FISCAL") +
               Lines{spread("01 Recebimento", "30,00"), spread("Dinheiro", "30,00")} + foot()));
    EXPECT_EQ(run('\x19', "SA00000000001000"), kAccepted);
    EXPECT_EQ(run('\x19', "SU00000000002500Cartao          "), kAccepted);
    EXPECT_EQ(run('\x19', "SU00000000000001"), kAccepted);
    EXPECT_EQ(printed()[6], spread("SANGRIA", "10,00"));
    FiscalModel m = model();
    EXPECT_EQ(m.nonFiscalTotalizers[0].count, 2);
    EXPECT_EQ(m.nonFiscalTotalizers[0].dayTotal, 6000);
    EXPECT_EQ(m.day.withdrawals, 6000);
    EXPECT_EQ(m.day.supplies, 22501);
    EXPECT_EQ(m.paymentForms[0].dayTotal, 36000);
    EXPECT_EQ(m.paymentForms[1].dayTotal, 7500);
    EXPECT_EQ(m.counters.gnf, 7);
    EXPECT_EQ(m.counters.coo, 44);
    EXPECT_EQ(m.movementDate, (CivilDate{2024, 3, 15}));

    // A totalizer not programmed or out of range, no amount, a bad digit, an unknown form; a
    // withdrawal takes no form, and every field has its length.
    for (const char* fields : {"0200000000000100", "5100000000000100", "0100000000000000",
                               "010000000000010x", "0100000000000100Vale            "})
        EXPECT_EQ(run('\x19', fields), kBadFields) << fields;
    for (const char* fields : {"SA00000000000100Dinheiro        ", "SA0000000000010"})
        EXPECT_EQ(run('\x19', fields), kBadLength) << fields;
    printer.update([](FiscalModel& m) { m.document = DocumentState::Coupon; });
    EXPECT_EQ(run('\x19', "SA00000000000100"), "06 02 01");
    FiscalModel refused = m;
    refused.document = DocumentState::Coupon;
    EXPECT_EQ(model(), refused);
    EXPECT_TRUE(printed().empty());
}

// The day's block, as both the X reading and the Z reduction print it.
Lines dayBlock(const std::string& crz) {
    // clang-format off
    return {"MOVIMENTO DE 15/03/2024", rule(), centred("CONTADORES"),
            spread("GNF", "000003"), spread("CCF", "000001"), spread("GRG", "000000"),
            spread("CDC", "0000"), spread("CRZ", crz), spread("CRO", "0000"),
            spread("CUPONS CANCELADOS", "0000"), rule(), centred("TOTALIZADORES"),
            spread("GRANDE TOTAL", "1.150,00"), spread("VENDA BRUTA", "150,00"),
            spread("CANCELAMENTOS", "0,00"), spread("DESCONTOS", "0,00"),
            spread("ACRÉSCIMOS", "0,00"), spread("T01 18,00%", "150,00"),
            spread("S02 5,00%", "0,00"), spread("ISENÇÃO", "0,00"),
            spread("NÃO INCIDÊNCIA", "0,00"), spread("SUBSTITUIÇÃO TRIBUTÁRIA", "0,00"), rule(),
            centred("NÃO FISCAIS"), spread("SANGRIA", "50,00"), spread("SUPRIMENTO", "200,00"),
            spread("01 Recebimento (0001)", "30,00"), rule(), centred("MEIOS DE PAGAMENTO"),
            spread("Dinheiro", "330,00"), spread("Cartao", "50,00")};
    // clang-format on
}

TEST_F(SimDay, ReadingsPrintTheDaysTotalsAndTheReductionClearsTheDay) {
    const FiscalModel before = model();
    EXPECT_EQ(run('\x06'), kAccepted);
    EXPECT_EQ(printed(), (heading(41, "LEITURA X") + dayBlock("0002") + foot()));
    FiscalModel after = before;
    after.counters.coo = 41;
    EXPECT_EQ(model(), after);

    EXPECT_EQ(run('\x05'), kAccepted);
    EXPECT_EQ(printed(), (heading(42, "REDUÇÃO Z") + dayBlock("0003") + foot()));
    const FiscalModel m = model();
    Reduction z;
    z.crz = 3;
    z.coo = 42;
    z.gnf = 3;
    z.grandTotal = 115000;
    z.madeAt = {{2024, 3, 15}, 18, 0, 0};
    z.movementDate = {2024, 3, 15};
    z.rates = {{1800, TaxBinding::Icms, 15000}, {500, TaxBinding::Iss, 0}};
    z.totals.withdrawals = 5000;
    z.totals.supplies = 20000;
    z.nonFiscalTotals[0] = 3000;
    z.nonFiscalCounts[0] = 1;
    ASSERT_EQ(m.reductions.size(), 3u);
    EXPECT_EQ(m.reductions[2], z);
    EXPECT_EQ(m.reductions[1], before.reductions[1]);
    // The day starts from nothing; the grand total and the tables go on.
    FiscalModel cleared = before;
    cleared.counters.coo = 42;
    cleared.counters.crz = 3;
    cleared.reductions = m.reductions;
    cleared.movementDate.reset();
    cleared.day = DayTotals{};
    cleared.taxRates[0].dayTotal = 0;
    cleared.paymentForms[0].dayTotal = 0;
    cleared.paymentForms[1].dayTotal = 0;
    cleared.nonFiscalTotalizers[0].count = 0;
    cleared.nonFiscalTotalizers[0].dayTotal = 0;
    EXPECT_EQ(m, cleared);
    EXPECT_EQ(fiscalFlags(m) & 8, 8);

    // One reduction a day: the day is closed until midnight for everything that moves totals.
    EXPECT_TRUE(reductionDoneToday(m));
    EXPECT_EQ(run('\x05'), kNotExecuted);
    EXPECT_EQ(run('\x19', "SU00000000000100"), kNotExecuted);
    EXPECT_EQ(run('\x06'), kAccepted);
    printer.update([](FiscalModel& m) { m.clock.set({{2024, 3, 16}, 8, 0, 0}); });
    EXPECT_EQ(run('\x19', "SU00000000000100"), kAccepted);
    EXPECT_EQ(model().movementDate, (CivilDate{2024, 3, 16}));
}

TEST_F(SimDay, DayLeftOpenOverMidnightMustBeReducedFirst) {
    printer.update([](FiscalModel& m) { m.clock.set({{2024, 3, 16}, 0, 10, 0}); });
    EXPECT_TRUE(reductionPending(model()));
    EXPECT_FALSE(dayTakesMovement(model()));
    EXPECT_EQ(run('\x19', "SU00000000000100"), kNotExecuted);
    EXPECT_EQ(run('\x14', "Texto"), kNotExecuted);
    EXPECT_EQ(run('\x06'), kAccepted);
    EXPECT_EQ(run('\x05'), kAccepted);
    const Reduction z = model().reductions.back();
    EXPECT_EQ(z.movementDate, (CivilDate{2024, 3, 15}));
    EXPECT_EQ(z.madeAt, (DateTime{{2024, 3, 16}, 0, 10, 0}));
    EXPECT_FALSE(reductionPending(model()));
    EXPECT_TRUE(reductionDoneToday(model()));
    EXPECT_EQ(run('\x19', "SU00000000000100"), kNotExecuted);
}

TEST_F(SimDay, ReductionWithDateAndTimeSetsTheClockOnceTheDayIsClosed) {
    const FiscalModel before = model();
    EXPECT_EQ(run('\x05', "310224083000"), kBadFields);
    EXPECT_EQ(run('\x05', "160324250000"), kBadFields);
    EXPECT_EQ(run('\x05', "1603"), kBadLength);
    EXPECT_EQ(model(), before);
    EXPECT_TRUE(printed().empty());
    EXPECT_EQ(run('\x05', "160324083000"), kAccepted);
    const FiscalModel m = model();
    EXPECT_EQ(m.reductions.back().madeAt, (DateTime{{2024, 3, 15}, 18, 0, 0}));
    EXPECT_EQ(m.clock.now(), (DateTime{{2024, 3, 16}, 8, 30, 0}));
    EXPECT_TRUE(dayTakesMovement(m));
}

TEST_F(SimDay, ElectronicJournalModelStaysBusyWithTheReductionForAWhile) {
    std::uint32_t now = 5000;
    printer.useClock([&] { return now; });
    printer.update([](FiscalModel& m) { m.electronicJournal = true; });
    EXPECT_EQ(hex(printer.execute("\x1C\x05")), "06 00 00 09 00");
    now += kReductionBusyMs - 1;
    EXPECT_EQ(hex(printer.execute("\x1C\x13")), "06 00 00 09 00");
    now += 1;
    EXPECT_EQ(hex(printer.execute("\x1C\x13")), "06 00 00 00 00");
    EXPECT_FALSE(model().busyUntil);
    // A printer saved while still busy starts idle.
    EXPECT_EQ(run('\x05'), kNotExecuted + " 00 00");
    printer.update([](FiscalModel& m) { startLongCommand(m, 1); });
    EXPECT_EQ(modelFromSeed(modelText(model())).journalStatus, 0);
    printer.useClock(nullptr);
}

TEST_F(SimDay, FiscalMemoryReadingsPrintTheRecordsInRange) {
    EXPECT_EQ(run('\x08', "000002000000i"), kAccepted);
    EXPECT_EQ(printed(), (heading(41, "LEITURA DA MEMÓRIA FISCAL") +
                          Lines{centred("REDUÇÕES 0002 A ÚLTIMA"), rule(),
                                spread("CRZ 0002  COO 000030", "14/03/2024"),
                                spread("GRANDE TOTAL", "1.000,00"), spread("VENDA BRUTA", "600,00"),
                                rule(), spread("REDUÇÕES NO PERÍODO", "0001"),
                                spread("VENDA BRUTA NO PERÍODO", "600,00")} +
                          foot()));
    EXPECT_EQ(run('\x08', "130324130324I"), kAccepted);
    EXPECT_EQ(
        printed(),
        (heading(42, "LEITURA DA MEMÓRIA FISCAL") +
         Lines{centred("PERÍODO 13/03/2024 A 13/03/2024"), rule(),
               spread("CRZ 0001  COO 000020", "13/03/2024"), spread("GRANDE TOTAL", "400,00"),
               spread("VENDA BRUTA", "400,00"), spread("CANCELAMENTOS", "0,00"),
               spread("DESCONTOS", "0,00"), spread("ACRÉSCIMOS", "0,00"),
               spread("T01 18,00%", "400,00"), spread("ISENÇÃO", "0,00"),
               spread("NÃO INCIDÊNCIA", "0,00"), spread("SUBSTITUIÇÃO TRIBUTÁRIA", "0,00"),
               spread("SANGRIA", "0,00"), spread("SUPRIMENTO", "0,00"), spread("GNF", "000001"),
               "REDUÇÃO EM 13/03/2024 22:00:00", rule(), spread("REDUÇÕES NO PERÍODO", "0001"),
               spread("VENDA BRUTA NO PERÍODO", "400,00")} +
         foot()));
    EXPECT_EQ(run('\x08', "000003000002I"), kBadFields);
    EXPECT_EQ(run('\x08', "150324140324I"), kBadFields);
    EXPECT_EQ(run('\x08', "320324140324I"), kBadFields);
    EXPECT_EQ(run('\x08', "000001000002X"), kBadFields);
    EXPECT_EQ(run('\x08', "000001000002"), kBadLength);
    EXPECT_EQ(model().counters.coo, 42);
}

}  // namespace
}  // namespace quelfi::sim
