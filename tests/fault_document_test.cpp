// Faults in the middle of a coupon: the printer falls silent between the items or between the
// payments, or its answer to a sale command is lost. Each call fails with 0 within its time, and
// afterwards the POS finds out through the counter, flag and status queries what the printer
// actually did, so it can tell whether the last document was completed.
#include <cstdio>

#include "core/printer_state.h"
#include "fault_fixture.h"
#include "sim/quelmar/fiscal_model.h"

namespace quelfi::test {
namespace {

using core::state;

// What the POS learns from the printer after a fault.
struct DocumentState {
    std::string coo;       // the operation counter: a new document takes the next number
    std::string lastItem;  // the number of the last item registered
    int flags = 0;         // fiscal flags: 1 coupon open, 2 closing started
    bool couponOpen = false;
    bool operator==(const DocumentState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const DocumentState& d) {
    return out << "COO " << d.coo << ", last item " << d.lastItem << ", flags " << d.flags
               << (d.couponOpen ? ", coupon open" : "");
}

class DocumentFaultTest : public FaultTest {
  protected:
    // The POS asks: counter, last item, fiscal flags, and the status with its coupon bit.
    DocumentState asked() {
        DocumentState d;
        char coo[8] = {}, item[8] = {};
        short flags = -1, ack = 0, st1 = 0, st2 = 0;
        EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
        EXPECT_EQ(Quelmar_FI_UltimoItemVendido(item), 1);
        EXPECT_EQ(Quelmar_FI_FlagsFiscais(&flags), 1);
        EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), 1);
        EXPECT_EQ(ack, 6);
        return {coo, item, flags, (st1 & 2) != 0};
    }
    // What the printer itself has on record.
    DocumentState recorded() {
        const sim::FiscalModel m = printer.model();
        char coo[16], item[16];
        std::snprintf(coo, sizeof coo, "%06d", m.counters.coo);
        std::snprintf(item, sizeof item, "%04d", m.counters.lastItem);
        return {coo, item, sim::fiscalFlags(m), sim::couponOpen(m)};
    }
    // A coupon the printer has open with two items, and the library knowing it.
    void startInCoupon() {
        printer.update([](sim::FiscalModel& m) {
            m.document = sim::DocumentState::Coupon;
            m.counters.lastItem = 2;
        });
        configure();
        state().couponOpen = true;
        // The first item loads the rate table; the faults below hit one command each.
        sellItem();
        clearLog();
    }
    int sellItem() {
        return Quelmar_FI_VendeItem("7891234567890", "ARROZ 5KG", "1800", "I", "1", 2, "25,90", "$",
                                    "0");
    }
};

TEST_F(DocumentFaultTest, PrinterSilentBetweenItems) {
    startInCoupon();
    const sim::FiscalModel before = printer.model();
    line.goSilent();
    int result = -1;
    EXPECT_EQ(timed([&] { result = sellItem(); }), 12000u);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_VendeItem ",
                                   "Parâmetros: 7891234567890|ARROZ 5KG|1800|I|1|2|25,90|$|0|",
                                   "Retorno Quelmar_FI_VendeItem: 0 - Erro de comunicacao: "}));
    // The printer took nothing while silent; once it answers, the POS sees the coupon still
    // open with the items it had.
    EXPECT_EQ(printer.model(), before);
    line.goSilent(false);
    const DocumentState seen = asked();
    EXPECT_EQ(seen, recorded());
    EXPECT_TRUE(seen.couponOpen);
    EXPECT_EQ(seen.flags & 1, 1);
}

TEST_F(DocumentFaultTest, PrinterSilentBetweenPayments) {
    startInCoupon();
    printer.update([](sim::FiscalModel& m) { m.document = sim::DocumentState::CouponPayment; });
    EXPECT_NE(Quelmar_FI_EfetuaFormaPagamentoIndice("01", "10,00"), 0);
    const sim::FiscalModel before = printer.model();
    clearLog();
    line.goSilent();
    int result = -1;
    EXPECT_EQ(timed([&] { result = Quelmar_FI_EfetuaFormaPagamentoIndice("01", "20,00"); }),
              12000u);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_EfetuaFormaPagamentoIndice ",
                                   "Parâmetros: 01|00000000002000|",
                                   "Retorno Quelmar_FI_EfetuaFormaPagamentoIndice: 0 - Erro de "
                                   "comunicacao"}));
    EXPECT_EQ(printer.model(), before);
    line.goSilent(false);
    const DocumentState seen = asked();
    EXPECT_EQ(seen, recorded());
    // The coupon is still open, in its payments: not completed.
    EXPECT_TRUE(seen.couponOpen);
    EXPECT_EQ(seen.flags & 3, 3);
}

TEST_F(DocumentFaultTest, AnswerToTheItemLostAfterThePrinterActed) {
    startInCoupon();
    // Only the acknowledge reaches the library; the printer did whatever the command asked.
    onCommand('\x09', [this] { line.cutReplyAfter(1); });
    int result = -1;
    EXPECT_EQ(timed([&] { result = sellItem(); }), 21000u);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_VendeItem ",
                                   "Parâmetros: 7891234567890|ARROZ 5KG|1800|I|1|2|25,90|$|0|",
                                   "Retorno Quelmar_FI_VendeItem: 0 - Erro de comunicacao: "}));
    EXPECT_EQ(asked(), recorded());
}

TEST_F(DocumentFaultTest, AnswerToTheCouponOpeningLost) {
    configure();
    const DocumentState before = asked();
    EXPECT_FALSE(before.couponOpen);
    onCommand('\0', [this] { line.cutReplyAfter(1); });
    EXPECT_EQ(Quelmar_FI_AbreCupom(""), 0);
    const DocumentState after = asked();
    EXPECT_EQ(after, recorded());
    // The printer opened the coupon although the POS got 0: the next number was taken and the
    // coupon is open, so the POS goes on selling in it (or cancels it) instead of opening another.
    EXPECT_EQ(std::stoi(after.coo), std::stoi(before.coo) + 1);
    EXPECT_TRUE(after.couponOpen);
    EXPECT_EQ(after.flags & 1, 1);
}

}  // namespace
}  // namespace quelfi::test
