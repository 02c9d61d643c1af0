// The printer's ready line held low: every wait class gives up exactly at its limit and not a
// poll before, the presence check does not wait for the line at all, and a command that gave up
// leaves the line usable once the printer is ready again.
#include "core/printer_state.h"
#include "fault_fixture.h"
#include "protocol/frame.h"
#include "protocol/send_command.h"
#include "protocol/waits.h"

namespace quelfi::test {
namespace {

using core::state;

TEST_F(FaultTest, ReadyLineLowUpToAndPastEachWaitClass) {
    configure();
    struct WaitClass {
        int busy;
        std::uint32_t limitMs;
    };
    for (const WaitClass c :
         {WaitClass{0, 20000}, WaitClass{1, 40000}, WaitClass{2, 180000}, WaitClass{3, 200000}}) {
        SCOPED_TRACE("wait class " + std::to_string(c.busy));
        state().commandBusy = c.busy;
        // Ready again at the last poll: the command goes through.
        line.dropCtsFor(c.limitMs - 100);
        int result = -1;
        EXPECT_EQ(timed([&] { result = protocol::sendCommand(protocol::prefixed("\x13"), 3); }),
                  c.limitMs - 100);
        EXPECT_EQ(result, 1);
        EXPECT_EQ(state().ack, 6);
        // Still low at the limit: the command fails there.
        line.dropCtsFor(c.limitMs);
        EXPECT_EQ(timed([&] { result = protocol::sendCommand(protocol::prefixed("\x13"), 3); }),
                  c.limitMs);
        EXPECT_EQ(result, 0);
    }
    state().commandBusy = 0;

    // The status refresh after a command waits 50 s.
    state().statusTimeout = 500;
    line.dropCtsFor(60000);
    EXPECT_EQ(timed([] { protocol::sendCommand(protocol::prefixed("\x13"), 3); }), 50000u);
    state().statusTimeout = 200;

    // A presence check polls five times; the long journal operations keep their class's wait.
    line.dropCtsFor(60000);
    state().probeMode = 1;
    int ready = -1;
    EXPECT_EQ(timed([&] { ready = protocol::waitPrinterReady(); }), 500u);
    EXPECT_EQ(ready, 0);
    state().probeMode = 2000;
    EXPECT_EQ(timed([&] { ready = protocol::waitPrinterReady(); }), 20000u);
    EXPECT_EQ(ready, 0);
    state().probeMode = 0;
}

TEST_F(FaultTest, QueryWhileThePrinterStaysBusy) {
    configure();
    char coo[8] = "x";
    line.dropCtsFor(25000);
    int result = -1;
    EXPECT_EQ(timed([&] { result = Quelmar_FI_NumeroCupom(coo); }), 20000u);
    EXPECT_EQ(result, 0);
    EXPECT_STREQ(coo, "x");
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_NumeroCupom ",
                                   "Retorno Quelmar_FI_NumeroCupom: 0 - Erro de comunicacao"}));
    EXPECT_EQ(Quelmar_FI_ItsBusy(), 1);

    // Once ready, the printer answers as before: the failed command left nothing on the line.
    platform.sleep(5000);
    EXPECT_EQ(Quelmar_FI_ItsBusy(), 0);
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
    EXPECT_STREQ(coo, "001234");
}

TEST_F(FaultTest, PresenceCheckDoesNotWaitForTheReadyLine) {
    configure();
    // The check reads the reply without watching the line: a printer holding it low is on.
    line.dropCtsFor(600000);
    int result = 0;
    EXPECT_EQ(timed([&] { result = Quelmar_FI_VerificaImpressoraLigada(); }), 0u);
    EXPECT_EQ(result, 1);
    // A printer that answers nothing is off, after the 12 s allowed for the first byte.
    line.dropCtsFor(0);
    line.goSilent();
    clearLog();
    EXPECT_EQ(timed([&] { result = Quelmar_FI_VerificaImpressoraLigada(); }), 12000u);
    EXPECT_EQ(result, -6);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaImpressoraLigada ",
                        "Retorno Quelmar_FI_VerificaImpressoraLigada: -6 - Impressora desligada ou "
                        "desconectada"}));
    EXPECT_EQ(state().probeMode, 0);
}

}  // namespace
}  // namespace quelfi::test
