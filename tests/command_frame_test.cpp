// The command frame on the wire: lengths by command number, the checksum, writes and closing.
#include "core/printer_state.h"
#include "protocol/frame.h"
#include "protocol/send_command.h"
#include "protocol_fixture.h"

namespace quelfi::test {
namespace {

using core::state;

class CommandFrameTest : public ProtocolTest {};

TEST_F(CommandFrameTest, StatusRequestFrameIsExact) {
    configure();
    line->reply(bytes({6, 0, 0}));
    EXPECT_EQ(sendOnChosenRoad("\x1B\x13"), 1);
    EXPECT_EQ(line->written, bytes({0x02, 0x04, 0x00, 0x1B, 0x13, 0x2E, 0x00}));
}

TEST_F(CommandFrameTest, LengthRulesByCommandNumber) {
    configure();
    struct Case {
        std::string command;
        int explicitLength;
        int raw;
        int printerType;
        std::size_t expected;
    };
    const Case cases[] = {
        {std::string("\x1B#\0", 3), 0, 0, 0, 3},      // the NUL index travels
        {std::string("\x1B#\x03", 3), 0, 0, 0, 3},    // a plain index does not add one
        {std::string("\x1B\0abc", 5), 0, 0, 0, 31},   // coupon opening, short form
        {std::string("\x1B\0abc", 5), 0, 0, 1, 141},  // long form on newer printers
        {"\x1B@12345", 0, 0, 0, 20},
        {"\x1B<abcdef", 50, 0, 0, 3},  // always three bytes
        {"\x1B?x", 0, 10, 0, 74},
        {"\x1B^abcdef", 0, 4, 0, 4},
        {"\x1BZabc", 9, 0, 0, 9},                     // an explicit length wins
        {std::string("\x1BQab\0cd", 7), 0, 0, 0, 4},  // text ends at the first NUL
    };
    for (const Case& c : cases) {
        reconfigure("", "Impressora=" + std::to_string(c.printerType) + "\n");
        line->written.clear();
        line->frameStart = 0;
        line->reply(bytes({6, 0, 0}));
        EXPECT_EQ(sendOnChosenRoad(c.command, c.explicitLength, c.raw), 1);
        const std::string sent = protocol::commandBytes(c.command, static_cast<int>(c.expected));
        EXPECT_EQ(line->written, frameOf(sent)) << c.expected;
    }
}

TEST_F(CommandFrameTest, NoReplyCommandsReturnAtOnceAndKeepThePortOpen) {
    configure("ControlePorta=1\n");
    EXPECT_EQ(sendOnChosenRoad("\x1B"
                               "E123"),
              1);
    EXPECT_EQ(state().portOpen, 1);
    std::string cheque =
        "\x1B\x08"
        "abcdefghijkl"
        "R";
    EXPECT_EQ(sendOnChosenRoad(cheque), 1);
    EXPECT_EQ(state().portOpen, 1);
    EXPECT_TRUE(line->readable.empty());
}

TEST_F(CommandFrameTest, PortControlClosesAfterEveryCommandButTheP) {
    configure("ControlePorta=1\n");
    line->reply(bytes({6, 0, 0}));
    EXPECT_EQ(sendOnChosenRoad("\x1BP<"), 1);
    EXPECT_EQ(state().portOpen, 1);
    line->reply(bytes({6, 0, 0}));
    EXPECT_EQ(sendOnChosenRoad("\x1B\x13"), 1);
    EXPECT_EQ(state().portOpen, 0);
}

TEST_F(CommandFrameTest, FailedWritesAreRetriedThenReported) {
    configure("ControlePorta=1\n");
    line->failingWrites = 2;  // two empty writes, then it goes through
    line->reply(bytes({6, 0, 0}));
    EXPECT_EQ(sendOnChosenRoad("\x1B\x13"), 1);

    line->failingWrites = 3;  // three in a row: the command fails and the port is closed
    EXPECT_EQ(sendOnChosenRoad("\x1B\x13"), 0);
    EXPECT_EQ(state().portOpen, 0);

    state().writeAttempts = 0;
    EXPECT_EQ(sendOnChosenRoad("\x1B\x13"), 0);
}

TEST_F(CommandFrameTest, PortThatDoesNotOpenIsReportedWithItsCode) {
    writeIni("[Sistema]\nPorta=COM7\n");
    load();
    EXPECT_EQ(sendOnChosenRoad("\x1B\x13"), -5);
    core::resetState();
    writeIni("[Sistema]\n");
    load();
    EXPECT_EQ(sendOnChosenRoad("\x1B\x13"), -4);
}

TEST_F(CommandFrameTest, PrefixFollowsThePrinterKind) {
    EXPECT_EQ(protocol::prefixed("\x13"), "\x1B\x13");
    state().mfdPrinter = true;
    EXPECT_EQ(protocol::prefixed("\x13"), "\x1C\x13");
}

}  // namespace
}  // namespace quelfi::test
