// The virtual printer on the line: frames checked, commands dispatched, replies shaped; and on
// each kind of line the library uses: a pseudo-terminal (the library's serial code on it is
// exercised by the quelfi tool's tests), the emulator's files while its presence mark exists, and
// the in-process line that tests make misbehave (its faults are exercised by the fault tests).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "sim/pty_server.h"
#include "sim/quelmar/codes.h"
#include "sim/quelmar/emulator_server.h"
#include "sim/quelmar/in_process_port.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/printer_link.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/library_fixture.h"
#include "support/wire_bytes.h"

namespace quelfi::test {
namespace {

class VirtualPrinterLinkTest : public LibraryTest {
  protected:
    sim::QuelmarPrinter printer{sim::modelFromSeed("coo=1234")};
};

TEST_F(VirtualPrinterLinkTest, PseudoTerminalRefusesAFrameLeftShort) {
    sim::PrinterLink link(printer);
    sim::PtyServer server(link);
    const int fd = ::open(server.devicePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios tio{};
    ASSERT_EQ(::tcgetattr(fd, &tio), 0);
    ::cfmakeraw(&tio);
    ASSERT_EQ(::tcsetattr(fd, TCSANOW, &tio), 0);
    auto exchange = [fd](const std::string& bytes, std::size_t expected) {
        EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        std::string out;
        pollfd p{fd, POLLIN, 0};
        char buffer[64];
        for (ssize_t n = 0; out.size() < expected && ::poll(&p, 1, 2000) > 0; out.append(buffer, n))
            if ((n = ::read(fd, buffer, sizeof buffer)) <= 0) break;
        return out;
    };
    // Refused once the line has been quiet a moment; the next frame is answered.
    EXPECT_EQ(hex(exchange(bytes({0x02, 0x09, 0x00, 0x1B, 0x1E}), 1)), "15");
    EXPECT_EQ(hex(exchange(frameOf("\x1b\x1e"), 6)), "06 00 12 34 00 00");
    ::close(fd);
}

TEST_F(VirtualPrinterLinkTest, EmulatorFilesWhileTheEmulatorRuns) {
    configure("Status=1\nEmulMFD=1\n");
    const std::string mark = "EMULFITH";
    {
        sim::EmulatorServer server(printer);
        EXPECT_TRUE(platform::systemPlatform().namedEventExists(mark));
        // Each command opens the files anew; the same command twice is answered twice.
        for (int round = 0; round < 2; ++round) {
            char coo[7] = {};
            EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
            EXPECT_STREQ(coo, "001234");
            EXPECT_EQ(readFile(driveC() + "/retorno.dat"), "");  // emptied after the reply
        }
        // Bytes after the frame (left from a longer command) do not count: the length decides.
        writeFile(server.commandFile(), frameOf("\x1b\x13") + "\x1b#\x03\x28");
        std::string reply;
        for (int i = 0; i < 400 && reply.empty(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            reply = readFile(server.replyFile());
        }
        EXPECT_EQ(hex(reply), "06 00 00");
    }
    EXPECT_FALSE(platform::systemPlatform().namedEventExists(mark));
    // Without the emulator the printer is not ready: the reply never completes.
    platform.useVirtualClock(true);
    char coo[7] = {};
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 0);
}

TEST_F(VirtualPrinterLinkTest, InProcessLineRefusesAnUnfinishedFrameAndDropsCts) {
    platform.useVirtualClock(true);
    sim::InProcessPort port(printer, platform);
    const std::string frame = bytes({0x02, 0x05, 0x00, 0x1B, 0x13, 0x2E, 0x00});
    port.write(reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size());
    std::string reply;
    for (std::uint8_t byte; port.readByte(byte);) reply += static_cast<char>(byte);
    EXPECT_EQ(hex(reply), "15");  // the host listens: the frame is over for the printer
    EXPECT_EQ(port.frames(), std::vector<std::string>{frame});
    port.dropCtsForReads(2);
    EXPECT_EQ((std::vector<bool>{port.ctsOn(), port.ctsOn(), port.ctsOn()}),
              (std::vector<bool>{false, false, true}));
}

}  // namespace
}  // namespace quelfi::test

namespace quelfi::sim {
namespace {

using test::bytes;
using test::frameOf;
using test::hex;

TEST(SimProtocol, AnswersTheStatusRequestFrame) {
    QuelmarPrinter printer;
    PrinterLink link(printer);
    EXPECT_EQ(hex(link.receive(bytes({0x02, 0x04, 0x00, 0x1B, 0x13, 0x2E, 0x00}))), "06 00 00");
    // Line noise before STX is skipped; two frames in one burst get two replies.
    EXPECT_EQ(hex(link.receive(bytes({0x00, 0x11}) + frameOf("\x1b\x13") + frameOf("\x1b\x13"))),
              "06 00 00 06 00 00");
}

TEST(SimProtocol, TakesTheCommandByTheFrameLengthNulsIncluded) {
    QuelmarPrinter printer(modelFromSeed("serial=QM0123456789"));
    PrinterLink link(printer);
    EXPECT_EQ(hex(link.receive(bytes({0x02, 0x05, 0x00, 0x1B, 0x23, 0x00, 0x3E, 0x00}))),
              "06 51 4D 30 31 32 33 34 35 36 37 38 39 20 20 20 00 00");
}

TEST(SimProtocol, RefusesFramesWithWrongChecksumOrLength) {
    QuelmarPrinter printer;
    PrinterLink link(printer);
    // Checksum one off.
    EXPECT_EQ(hex(link.receive(bytes({0x02, 0x04, 0x00, 0x1B, 0x13, 0x2F, 0x00}))), "15");
    // Length one short: the checksum is read from the wrong place.
    EXPECT_EQ(hex(link.receive(bytes({0x02, 0x03, 0x00, 0x1B, 0x13, 0x2E, 0x00}))), "15");
    // Length one long: the frame never ends, and is refused once the line falls quiet.
    EXPECT_EQ(hex(link.receive(bytes({0x02, 0x05, 0x00, 0x1B, 0x13, 0x2E, 0x00}))), "");
    EXPECT_EQ(hex(link.idle()), "15");
    // A length field that cannot be right is refused at once.
    EXPECT_EQ(hex(link.receive(bytes({0x02, 0x02, 0x00}))), "15");
    EXPECT_EQ(hex(link.receive(bytes({0x02, 0xFF, 0xFF}))), "15");
    // Nothing pending: a quiet line gets no answer; the link still takes good frames.
    EXPECT_EQ(hex(link.idle()), "");
    EXPECT_EQ(hex(link.receive(frameOf("\x1b\x13"))), "06 00 00");
}

TEST(SimProtocol, ReportsCommandsItCannotTake) {
    QuelmarPrinter printer;
    // A command byte the printer does not know.
    EXPECT_EQ(hex(printer.execute("\x1b\x7f")), "06 04 00");
    // An information index it does not know.
    EXPECT_EQ(hex(printer.execute(bytes({0x1B, '#', 99}))), "06 04 00");
    // The information read without its index, and the status request with a stray byte.
    EXPECT_EQ(hex(printer.execute("\x1b#")), "06 01 00");
    EXPECT_EQ(hex(printer.execute("\x1b\x13X")), "06 01 00");
    // A first byte that is neither ESC nor FS; FS on a printer without electronic journal.
    EXPECT_EQ(hex(printer.execute("A\x13")), "06 08 00");
    EXPECT_EQ(hex(printer.execute("\x1c\x13")), "06 08 00");
    EXPECT_EQ(hex(printer.execute("\x1b")), "06 01 00");
}

TEST(SimProtocol, ElectronicJournalRepliesCarryTheStatusWord) {
    QuelmarPrinter printer(modelFromSeed("mfd=1; st3=265"));
    EXPECT_EQ(hex(printer.execute("\x1c\x13")), "06 00 00 09 01");
    // The older prefix is still taken, and the reply keeps its journal shape.
    EXPECT_EQ(hex(printer.execute("\x1b\x1e")), "06 00 00 00 00 00 09 01");
    // A plain reply reporting an unknown command stops after ST2.
    EXPECT_EQ(hex(printer.execute("\x1c\x7f")), "06 04 00");
}

TEST(SimProtocol, EveryReplyShowsTheStandingConditions) {
    QuelmarPrinter printer(modelFromSeed("paper=out; clock.error=1; printer.error=1; ram.error=1"));
    EXPECT_EQ(hex(printer.execute("\x1b\x13")), "06 B0 20");
    printer.update([](FiscalModel& m) { m = modelFromSeed("paper=low; memory=1; z.1.crz=1"); });
    EXPECT_EQ(hex(printer.execute("\x1b\x7f")), "06 44 40");
}

TEST(SimProtocol, CommandsAddedLaterAreDispatchedWithoutChangingThePrinter) {
    QuelmarPrinter printer;
    printer.commands().add({"Z", 3, [](CommandContext& c) {
                                c.reply.data = std::string(1, c.command[2]);
                                c.reply.st2 = codes::kSt2NotExecuted;
                            }});
    EXPECT_EQ(hex(printer.execute("\x1bZ!")), "06 21 00 01");
    EXPECT_EQ(hex(printer.execute("\x1bZ")), "06 01 00");
    printer.commands().add({"E", 0, [](CommandContext& c) { c.reply.shape = Reply::Shape::None; }});
    EXPECT_EQ(hex(printer.execute(std::string("\x1B") + "E")), "");
}

}  // namespace
}  // namespace quelfi::sim
