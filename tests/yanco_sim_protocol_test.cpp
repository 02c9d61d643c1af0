// The virtual Yanco printer on the line: frames checked, commands dispatched, replies framed, and
// the in-process line's faults.
#include <gtest/gtest.h>

#include "sim/yanco/in_process_port.h"
#include "sim/yanco/model_text.h"
#include "sim/yanco/printer_link.h"
#include "support/test_platform.h"
#include "support/wire_bytes.h"
#include "support/yanco_frames.h"

namespace quelfi::sim::yanco {
namespace {

using test::hex;
using test::yancoFrame;
using test::yancoReply;

// The status of a fresh printer: nothing open, no day, the drawer closed.
constexpr std::string_view kFreshStatus =
    "0\\0\\0\\1\\0\\20\\000000\\000000\\000000\\0\\0000\\0\\0";

TEST(YancoSimProtocol, RepliesCarryTheSequenceTheCodeAndTheSum) {
    Printer printer;
    PrinterLink link(printer);
    // Line noise before STX is skipped; two frames in one burst get two replies.
    EXPECT_EQ(
        hex(link.receive(std::string("\x00\x11", 2) + yancoFrame("0421", "25") +
                         yancoFrame("9999", "26"))),
        hex(yancoReply("0421", '0', "25", kFreshStatus) + yancoReply("9999", '0', "26", "00")));
    // Spelled out once: STX "0000" "26" ETX and the sum 0x012D; DC4 "0000", the mark '0', "26",
    // the status "00", ETX and the sum 0x01CF.
    EXPECT_EQ(
        hex(link.receive(test::bytes({0x02, '0', '0', '0', '0', '2', '6', 0x03, 0x01, 0x2D}))),
        "14 30 30 30 30 30 32 36 30 30 03 01 CF");
    // A sum above 0xFFFF keeps its low 16 bits: 600 bytes of 0xFF are still a frame, of a command
    // the printer does not know.
    const std::string longCommand(600, '\xff');
    EXPECT_EQ(hex(link.receive(yancoFrame("1234", longCommand))),
              hex(yancoReply("1234", '0', "\xff\xff", "17")));
}

TEST(YancoSimProtocol, RefusesFramesItCannotTake) {
    Printer printer;
    PrinterLink link(printer);
    std::string wrongSum = yancoFrame("0001", "26");
    wrongSum.back() = static_cast<char>(wrongSum.back() + 1);
    std::string letterInSequence = yancoFrame("0001", "26");
    letterInSequence[3] = 'A';
    const std::string tooLong =
        "\x02"
        "0001" +
        std::string(1025, 'A');
    for (const std::string& frame : {wrongSum, letterInSequence, tooLong}) {
        EXPECT_EQ(hex(link.receive(frame) + link.idle()), "15") << hex(frame);
    }
    // A frame the line leaves unfinished is refused once the line falls quiet.
    EXPECT_EQ(hex(link.receive("\x02"
                               "0001"
                               "26\x03\x01")),
              "");
    EXPECT_EQ(hex(link.idle()), "15");
    EXPECT_EQ(hex(link.idle()), "");
    EXPECT_FALSE(printer.model().drawerOpen);
    EXPECT_EQ(hex(link.receive(yancoFrame("0002", "26"))),
              hex(yancoReply("0002", '0', "26", "00")));
    EXPECT_TRUE(printer.model().drawerOpen);
}

TEST(YancoSimProtocol, CommandsOfWrongCodeOrLengthAreAnsweredWithTheirStatus) {
    Printer printer;
    const struct {
        std::string command;
        std::string code;
        std::string status;
    } cases[] = {
        {"99", "99", "17"},   // no such code
        {"132", "13", "17"},  // a selector the code does not have
        {"2", "2 ", "17"},    // not even a code
        {"25X", "25", "16"},  // one character too many
        {"121", "12", "16"},  // the reserved field missing
        {"1600OBRIGADO", "16", "16"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hex(printer.execute("0007", c.command)),
                  hex(yancoReply("0007", '0', c.code, c.status)))
            << c.command;
    }
    EXPECT_EQ(printer.paper().text(), "");
}

TEST(YancoSimProtocol, InProcessLineCarriesFramesAndItsFaults) {
    test::TestPlatform platform;
    platform.useVirtualClock(true);
    Printer printer(modelFromSeed("day=1; movement=06/12/2026; clock=06/12/2026 10:00:00"));
    InProcessPort port(printer, platform);
    auto line = port.connection();
    // The host writes a frame a byte at a time; the printer answers on its last byte.
    auto send = [&](const std::string& sequence, const std::string& command) {
        for (char c : yancoFrame(sequence, command))
            ASSERT_EQ(line->write(reinterpret_cast<const std::uint8_t*>(&c), 1), 1);
    };
    auto received = [&] {
        std::string out;
        std::uint8_t byte;
        while (line->readByte(byte)) out += static_cast<char>(byte);
        return out;
    };
    port.answerStatus(62);
    send("0001", "130");
    EXPECT_EQ(hex(received()), hex(yancoReply("0001", '0', "13", "62")));
    port.garbleNextFrame();
    send("0002", "130");
    EXPECT_EQ(hex(received()), "15");
    EXPECT_EQ(printer.model().document, Document::None);
    port.cutReplyAfter(6);
    send("0003", "130");
    EXPECT_EQ(hex(received()), hex(yancoReply("0003", '0', "13", "00").substr(0, 6)));
    EXPECT_EQ(printer.model().document, Document::Coupon);
    ASSERT_EQ(port.frames().size(), 3u);
    EXPECT_EQ(hex(port.frames()[1]), hex(yancoFrame("0002", "130")));  // as the host wrote it
}

}  // namespace
}  // namespace quelfi::sim::yanco
