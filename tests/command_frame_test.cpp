// The command frame on the wire: lengths by command number, the checksum, writes and closing.
#include "protocol/frame.h"
#include "protocol/send_command.h"
#include "protocol_fixture.h"

namespace quelfi::test {
namespace {

using core::state;
using protocol::sendCommand;

class CommandFrameTest : public ProtocolTest {};

TEST_F(CommandFrameTest, LengthRulesByCommandNumber) {
    configure();
    line->reply(kOk);
    EXPECT_EQ(sendCommand("\x1B\x13", 3), 1);
    EXPECT_EQ(line->written, bytes({0x02, 0x04, 0x00, 0x1B, 0x13, 0x2E, 0x00}));
    struct Case {
        std::string command;
        int explicitLength, raw, printerType;
        std::string sent;
    };
    const std::string nul(1, '\0');
    const Case cases[] = {
        {"\x1B#" + nul, 0, 0, 0, "\x1B#" + nul},  // the NUL index travels
        {"\x1B#\x03", 0, 0, 0, "\x1B#\x03"},      // a plain index does not add one
        // Coupon opening: the short form, and the long one on newer printers.
        {"\x1B" + nul + "abc", 0, 0, 0, "\x1B" + nul + "abc" + std::string(26, '\0')},
        {"\x1B" + nul + "abc", 0, 0, 1, "\x1B" + nul + "abc" + std::string(136, '\0')},
        {"\x1B@12345", 0, 0, 0, "\x1B@12345" + std::string(13, '\0')},
        {"\x1B<abcdef", 50, 0, 0, "\x1B<a"},  // always three bytes
        {"\x1B?x", 0, 10, 0, "\x1B?x" + std::string(71, '\0')},
        {"\x1B^abcdef", 0, 4, 0, "\x1B^ab"},
        {"\x1BZabc", 9, 0, 0, "\x1BZabc" + std::string(4, '\0')},  // an explicit length wins
        {"\x1BQab" + nul + "cd", 0, 0, 0, "\x1BQab"},              // text ends at the first NUL
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(hex(c.command));
        state().rawCommandLength = c.raw;
        state().printerType = c.printerType;
        line->reply(kOk);
        EXPECT_EQ(sendCommand(c.command, 3, 0, 0, 0, c.explicitLength), 1);
        EXPECT_EQ(line->lastFrame(), frameOf(c.sent));
    }
    EXPECT_EQ(protocol::prefixed("\x13"), "\x1B\x13");
    state().mfdPrinter = true;
    EXPECT_EQ(protocol::prefixed("\x13"), "\x1C\x13");
}

TEST_F(CommandFrameTest, PortControlClosesAfterEveryCommandButThePAndThoseWithoutReply) {
    configure("ControlePorta=1\n");
    // Commands without a reply return at once and keep the port open.
    EXPECT_EQ(sendCommand(concat({"\x1B", "E123"}), 3), 1);
    EXPECT_EQ(sendCommand("\x1B\010abcdefghijklR", 3), 1);
    EXPECT_EQ(state().portOpen, 1);
    EXPECT_TRUE(line->readable.empty());
    line->reply(kOk);
    EXPECT_EQ(sendCommand("\x1BP<", 3), 1);
    EXPECT_EQ(state().portOpen, 1);
    line->reply(kOk);
    EXPECT_EQ(sendCommand("\x1B\x13", 3), 1);
    EXPECT_EQ(state().portOpen, 0);
}

TEST_F(CommandFrameTest, FailedWritesAreRetriedThenReported) {
    configure("ControlePorta=1\n");
    line->failingWrites = 2;  // two empty writes, then it goes through
    line->reply(kOk);
    EXPECT_EQ(sendCommand("\x1B\x13", 3), 1);

    line->failingWrites = 3;  // three in a row: the command fails and the port is closed
    EXPECT_EQ(sendCommand("\x1B\x13", 3), 0);
    EXPECT_EQ(state().portOpen, 0);

    state().writeAttempts = 0;
    EXPECT_EQ(sendCommand("\x1B\x13", 3), 0);
}

}  // namespace
}  // namespace quelfi::test
