// The library talking to the virtual printer over each kind of line: a pseudo-terminal through
// the real serial code, the emulator's files, and an in-process line that misbehaves on purpose.
#include <filesystem>

#include "core/printer_state.h"
#include "quelfi32.h"
#include "sim/pty_server.h"
#include "sim/quelmar/emulator_server.h"
#include "sim/quelmar/in_process_port.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/printer_link.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

using core::state;

class VirtualPrinterLinkTest : public LibraryTest {
  protected:
    void configure(const std::string& keys) {
        writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\nStatus=1\nPorta=COM1\n" + keys);
        load();
        std::filesystem::remove(workDir() + "/QuelFI32.log");
    }
    sim::QuelmarPrinter printer{sim::modelFromSeed("coo=1234")};
};

TEST_F(VirtualPrinterLinkTest, SerialLineThroughAPseudoTerminal) {
    sim::PrinterLink link(printer);
    sim::PtyServer server(link);
    server.linkAs(portDir() + "/COM1");
    configure("");

    short ack = 0, st1 = 0, st2 = 0;
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(ack, 6);
    EXPECT_EQ(st1, 0);
    EXPECT_EQ(st2, 0);
    char coo[7] = {};
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
    EXPECT_STREQ(coo, "001234");
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "6,0,0");
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_VerificaEstadoImpressora ", "Quelmar_FI_AbrePortaSerial ",
                  "Parâmetro: COM1", "Retorno Quelmar_FI_AbrePortaSerial: 1", kSep,
                  "Quelmar_FI_FlagsFiscais ", "Retorno impressora: 000",
                  "Retorno Quelmar_FI_FlagsFiscais: 1", "Retorno impressora: 6,0,0",
                  "Retorno Quelmar_FI_VerificaEstadoImpresora: 1", kSep, "Quelmar_FI_NumeroCupom ",
                  "Retorno impressora: 001234", "Retorno Quelmar_FI_NumeroCupom: 1"}));
    EXPECT_EQ(Quelmar_FI_FechaPortaSerial(), 1);
}

TEST_F(VirtualPrinterLinkTest, EmulatorFilesWhileTheEmulatorRuns) {
    configure("EmulMFD=1\n");
    {
        sim::EmulatorServer server(printer);
        char coo[7] = {};
        EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
        EXPECT_STREQ(coo, "001234");
        EXPECT_EQ(readFile(driveC() + "/retorno.dat"), "");  // emptied after the reply
    }
    // Without the emulator the printer is not ready: the reply never completes.
    platform.useVirtualClock(true);
    char coo[7] = {};
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 0);
}

class MisbehavingLineTest : public VirtualPrinterLinkTest {
  protected:
    void SetUp() override {
        VirtualPrinterLinkTest::SetUp();
        platform.useVirtualClock(true);
        platform.plugPort("COM1", [this] { return line.connection(); });
        configure("");
    }
    sim::InProcessPort line{printer, platform};
};

TEST_F(MisbehavingLineTest, ReadyLineHeldLowMakesThePrinterBusy) {
    EXPECT_EQ(Quelmar_FI_ItsBusy(), 0);
    line.dropCtsFor(5000);
    EXPECT_EQ(Quelmar_FI_ItsBusy(), 1);
    // A command waits for the line to come back (within the 20 s of an ordinary command).
    const std::uint32_t start = platform.tickCount();
    char coo[7] = {};
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
    EXPECT_STREQ(coo, "001234");
    EXPECT_LE(platform.tickCount() - start, 6000u);
    // Held low past the ordinary wait: the command fails.
    line.dropCtsFor(60000);
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 0);
}

TEST_F(MisbehavingLineTest, RefusedAndNoisyReplies) {
    short ack = 0, st1 = 0, st2 = 0;
    line.garbleNextFrame();
    EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), 1);
    EXPECT_EQ(ack, 21);
    char coo[7] = {};
    line.garbleNextFrame();
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);  // refused, but answered
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "21");

    line.garbageBeforeAck(std::string("\0\0\x11", 3));
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
    EXPECT_STREQ(coo, "001234");

    line.answerLate(8000);  // late, but within the 12 s for the first byte
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);

    line.cutReplyAfter(3);
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 0);
    line.loseReplyByte(2);
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 0);
}

TEST_F(MisbehavingLineTest, SilentPrinterFailsWithinTwelveSeconds) {
    line.goSilent();
    const std::uint32_t start = platform.tickCount();
    char coo[7] = {'x', 0};
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 0);
    EXPECT_STREQ(coo, "x");
    const std::uint32_t took = platform.tickCount() - start;
    EXPECT_GE(took, 12000u);
    EXPECT_LE(took, 13000u);
    const std::string last = logLines({"Retorno Quelmar_FI_NumeroCupom: 0 - Erro de comunicacao"});
    const std::string log = workLog();
    EXPECT_EQ(log.substr(log.size() - last.size()), last);
}

}  // namespace
}  // namespace quelfi::test
