// Replies that arrive damaged (cut after any of their bytes, missing a byte, refused with NAK, a
// frame garbled on its way, a reply too late) and a ready line held low (every wait class gives up
// exactly at its limit and not a poll before; the presence check does not wait for the line).
// Each gives the code and log line the POS expects, and the next command is answered normally.
#include <cstring>

#include "core/printer_state.h"
#include "exports/boundary.h"
#include "fault_fixture.h"
#include "protocol/frame.h"
#include "protocol/send_command.h"
#include "protocol/waits.h"

namespace quelfi::test {
namespace {

using core::state;

const std::string kCooFailure = "Retorno Quelmar_FI_NumeroCupom: 0 - Erro de comunicacao";

TEST_F(FaultTest, ReplyCutAfterEachOfItsBytes) {
    configure();
    char coo[8] = {};
    ASSERT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
    const std::size_t replySize = line.replies().back().size();  // ACK, 3 BCD bytes, ST1, ST2
    ASSERT_EQ(replySize, 6u);
    for (std::size_t cut = 0; cut < replySize; ++cut) {
        SCOPED_TRACE("cut after " + std::to_string(cut) + " bytes");
        clearLog();
        std::strcpy(coo, "x");
        line.cutReplyAfter(cut);
        int result = -1;
        // Nothing at all: 12 s for the first byte. A started reply: 21 empty reads, a second each.
        EXPECT_EQ(timed([&] { result = Quelmar_FI_NumeroCupom(coo); }), cut == 0 ? 12000u : 21000u);
        EXPECT_EQ(result, 0);
        EXPECT_STREQ(coo, "x");
        EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_NumeroCupom ", kCooFailure}));
        EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
        EXPECT_STREQ(coo, "001234");
    }
}

TEST_F(FaultTest, ReplyMissingOneByte) {
    configure();
    char coo[8] = {};
    for (std::size_t lost = 0; lost < 6; ++lost) {
        SCOPED_TRACE("byte " + std::to_string(lost) + " lost");
        clearLog();
        std::strcpy(coo, "x");
        line.loseReplyByte(lost);
        int result = -1;
        EXPECT_LE(timed([&] { result = Quelmar_FI_NumeroCupom(coo); }), 21000u);
        EXPECT_EQ(result, 0);
        EXPECT_STREQ(coo, "x");
        EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_NumeroCupom ", kCooFailure}));
        EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
        EXPECT_STREQ(coo, "001234");
    }
}

TEST_F(FaultTest, RefusedOrGarbledFrames) {
    configure("StatusFuncao=1\n");
    short ack = 0, st1 = 0, st2 = 0;
    // A NAK is an answer: the command returns, the status shows the refusal, and with the status
    // judged in the result it is -27.
    line.answerNak();
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), -27);
    EXPECT_EQ(ack, 21);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaEstadoImpressora ", kSep,
                        "Quelmar_FI_FlagsFiscais ", "Retorno impressora: 000",
                        "Retorno Quelmar_FI_FlagsFiscais: 1", "Retorno impressora: 21,0,0",
                        "Retorno Quelmar_FI_VerificaEstadoImpresora: -27"}));
    // A frame whose checksum was damaged on the way: the printer refuses it the same way.
    clearLog();
    line.garbleNextFrame();
    char coo[8] = "x";
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), -27);
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "21");
    // The refused query delivers its empty answer.
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_NumeroCupom ", "Retorno impressora: 0",
                                   "Retorno Quelmar_FI_NumeroCupom: -27"}));
    EXPECT_STREQ(coo, "");
    EXPECT_EQ(printer.model().counters.coo, 1234);
    // Then the line works as before.
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
    EXPECT_STREQ(coo, "001234");
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(ack, 6);
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "6,0,0");
}

TEST_F(FaultTest, NoiseAndLateReplies) {
    configure();
    char coo[8] = {};
    line.garbageBeforeAck(std::string("\x00\x11\x13\xFF", 4));
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
    EXPECT_STREQ(coo, "001234");
    // Late, but within the 12 s for the first byte.
    line.answerLate(11000);
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
    EXPECT_STREQ(coo, "001234");
    // Too late: the command fails at 12 s, and the reply that comes afterwards is not taken for
    // the answer to the next command.
    line.answerLate(12500);
    std::strcpy(coo, "x");
    EXPECT_EQ(timed([&] { EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 0); }), 12000u);
    platform.sleep(1000);
    short flags = -1;
    EXPECT_EQ(Quelmar_FI_FlagsFiscais(&flags), 1);
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
    EXPECT_STREQ(coo, "001234");
}

// The status request of busy class `busy`, allowed `readyPolls` polls in class 0.
protocol::CommandSpec statusRequest(int busy, int readyPolls = 0) {
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed("\x13");
    spec.busyClass = busy;
    spec.readyPolls = readyPolls;
    return spec;
}

TEST_F(FaultTest, ReadyLineLowUpToAndPastEachWaitClass) {
    configure();
    const protocol::Road& road = exports::chosenRoad();
    struct WaitClass {
        int busy;
        std::uint32_t limitMs;
    };
    for (const WaitClass c :
         {WaitClass{0, 20000}, WaitClass{1, 40000}, WaitClass{2, 180000}, WaitClass{3, 200000}}) {
        SCOPED_TRACE("wait class " + std::to_string(c.busy));
        // Ready again at the last poll: the command goes through.
        line.dropCtsFor(c.limitMs - 100);
        int result = -1;
        EXPECT_EQ(timed([&] { result = protocol::sendCommand(road, statusRequest(c.busy)); }),
                  c.limitMs - 100);
        EXPECT_EQ(result, 1);
        EXPECT_EQ(state().ack, 6);
        // Still low at the limit: the command fails there.
        line.dropCtsFor(c.limitMs);
        EXPECT_EQ(timed([&] { result = protocol::sendCommand(road, statusRequest(c.busy)); }),
                  c.limitMs);
        EXPECT_EQ(result, 0);
    }

    // The status refresh after a command waits 50 s.
    line.dropCtsFor(60000);
    EXPECT_EQ(timed([&] { protocol::sendCommand(road, statusRequest(0, 500)); }), 50000u);

    // A presence check polls five times; the long journal operations keep their class's wait.
    line.dropCtsFor(60000);
    protocol::CommandSpec probe = statusRequest(0);
    probe.probe = true;
    int ready = -1;
    EXPECT_EQ(timed([&] { ready = protocol::waitPrinterReady(road, readyPollLimit(probe)); }),
              500u);
    EXPECT_EQ(ready, 0);
    state().probeMode = 2000;
    const protocol::CommandSpec plain = statusRequest(0);
    EXPECT_EQ(timed([&] { ready = protocol::waitPrinterReady(road, readyPollLimit(plain)); }),
              20000u);
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
