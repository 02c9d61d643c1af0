// The command frame on the wire and the reply: lengths by command number, writes and closing;
// the acknowledge, data formats, table layouts, status rules and time-outs.

#include "protocol/frame.h"
#include "protocol/reply_reader.h"
#include "protocol/send_command.h"
#include "protocol/waits.h"
#include "protocol_fixture.h"

namespace quelfi::test {
namespace {

using core::state;

class ReplyTest : public ProtocolTest {};

TEST_F(ReplyTest, DataFormats) {
    configure();
    struct Case {
        std::string reply;
        int format;
        std::string text;
    };
    const Case cases[] = {
        {bytes({6, 0x00, 0x12, 0x34, 0, 0}), 1, "001234"},
        {bytes({6, 'A', 0, 'b', 0, 0}), 2, "Ab"},
        {bytes({6, 0x0A, 0xFF, 0x07, 0, 0}), 3, "aff7"},
        {bytes({6, 0x07, 0xFF, 0x00, 0, 0}), 4, "007255000"},
        {bytes({6, 0x07, 0x80, 0x00, 0, 0}), 0, "007128000"},
        {bytes({6, 0x82, 0xC6, 'o', 0, 0}), 2, "\xE9\xE3o"},  // printer letters converted
    };
    for (const Case& c : cases) {
        line->reply(c.reply);
        EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B#\x05", 6, 1, c.format, 1)), 1);
        EXPECT_EQ(state().replyBuffer, c.text) << c.format;
    }

    // The leading count of the tax-rate list is written with two digits.
    protocol::CommandSpec rates = commandSpec("\x1B\x1A", 6, 1, 1, 1);
    rates.leadingCount = true;
    line->reply(bytes({6, 3, 0x18, 0x00, 0, 0}));
    EXPECT_EQ(sendOnChosenRoad(rates), 1);
    EXPECT_EQ(state().replyBuffer, "031800");

    // Status-first layout: data from the sixth byte, as BCD or as decimal values with commas.
    line->reply(bytes({6, 1, 2, 3, 4, 0x12, 0x34}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B>x", 7, 1, 1, 0)), 1);
    EXPECT_EQ(state().replyBuffer, "1234");
    EXPECT_EQ(state().st1, 1);
    EXPECT_EQ(state().st2, 2);
    line->reply(bytes({6, 0, 0, 0, 0, 12, 200}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B>x", 7, 1, 0, 0)), 1);
    EXPECT_EQ(state().replyBuffer, "12,200,");
}

TEST_F(ReplyTest, TableLayouts) {
    configure();
    protocol::CommandSpec printerType = commandSpec("\x1B#\xFD", 6 + 1, 1, 0, 1);
    printerType.tableCommand = 253;
    printerType.tableLayout = true;
    line->reply(bytes({6, 255, 0, 255, 7, 0, 0}));
    EXPECT_EQ(sendOnChosenRoad(printerType), 1);
    EXPECT_EQ(state().replyBuffer, "255000255007");

    // Non-fiscal receipts: a two-byte count, 10 BCD bytes and a 19-character name per record.
    std::string reply = bytes({6});
    std::string expected;
    for (int r = 0; r < 50; ++r) {
        reply += bytes({r == 0 ? 0x2C : 0, r == 0 ? 0x01 : 0});  // 300 for the first record
        for (int k = 0; k < 10; ++k) reply += static_cast<char>(r == 1 && k == 9 ? 0x99 : 0);
        std::string name = r == 0 ? "SANGRIA" : "";
        name.resize(19, '\0');
        reply += name;
        expected += r == 0 ? "0300" : "0000";
        expected += r == 1 ? std::string(18, '0') + "99" : std::string(20, '0');
        expected += r == 0 ? "SANGRIA            " : std::string(19, ' ');
    }
    reply += bytes({0, 0});
    line->reply(reply);
    protocol::CommandSpec receipts = commandSpec("\x1B#!", 1553, 1, 0, 1);
    receipts.tableCommand = 33;
    receipts.tableLayout = true;
    EXPECT_EQ(sendOnChosenRoad(receipts), 1);
    EXPECT_EQ(state().replyBuffer, expected);
    EXPECT_EQ(state().replyBuffer.size(), 2150u);
}

TEST_F(ReplyTest, StatusBytesByPrinterAndSettings) {
    struct Case {
        const char* keys;
        std::string reply;
        std::vector<int> status;  // ACK, ST1, ST2 and on journal printers ST3
        const char* statusFile;
        int code;  // the call's result as the status rule makes it
    };
    const Case cases[] = {
        // A NAK ends the reply.
        {"", bytes({21}), {21, 0, 0}, "21", 1},
        {"", bytes({6, 64, 0}), {6, 64, 0}, "6,64,0", 1},
        {"StatusFuncao=1\n", bytes({6, 0, 1}), {6, 0, 1}, "6,0,1", -27},
        {"StatusFuncao=1\n", bytes({6, 0, 0}), {6, 0, 0}, "6,0,0", 1},
        // Newer printers mask the command-error bits unless told not to.
        {"[MFD]\nImpressora=1\nStatusErro=0\n", bytes({6, 4 + 64, 1 + 8}), {6, 64, 8}, "6,64,8", 1},
        {"[MFD]\nImpressora=1\nStatusErro=1\n", bytes({6, 4, 1}), {6, 4, 1}, "6,4,1", 1},
        {"[MFD]\nImpressora=0\n", bytes({6, 4, 1}), {6, 4, 1}, "6,4,1", 1},
        // Journal printers add ST3; an error reply stops after ST2 and reports ST3 1.
        {"mfd", bytes({6, 0, 0, 9, 0}), {6, 0, 0, 9}, "6,0,0,9", 1},
        {"mfd", bytes({6, 4, 0}), {6, 4, 0, 1}, "6,4,0,1", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statusFile);
        const bool journal = std::string(c.keys) == "mfd";
        configure(std::string("Status=1\n") + (journal ? "" : c.keys));
        state().mfdPrinter = journal;
        line->reply(c.reply);
        EXPECT_EQ(sendOnChosenRoad(journal ? "\x1C\x13" : "\x1B\x13"), 1);
        std::vector<int> status{state().ack, state().st1, state().st2};
        if (journal) status.push_back(state().st3);
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(readFile(workDir() + "/Status.txt"), c.statusFile);
        EXPECT_EQ(state().lastReturnCode, c.code);
        EXPECT_TRUE(line->readable.empty());
    }
    // A journal printer's data reply: the data, then ST1, ST2 and the two bytes of ST3.
    line->reply(bytes({6, 0x12, 0x34, 0, 0, 0x01, 0x02}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1C#\x09", 5, 1, 1, 1)), 1);
    EXPECT_EQ(state().replyBuffer, "1234");
    EXPECT_EQ(state().st3, 0x0201);
}

TEST_F(ReplyTest, BusyTestReadsTheReadyLine) {
    configure();
    EXPECT_EQ(Quelmar_FI_ItsBusy(), 0);
    EXPECT_EQ(state().portOpen, 0);  // opened for the test and closed again
    line->ctsAlwaysLow = true;
    EXPECT_EQ(Quelmar_FI_ItsBusy(), 1);
    writeIni("[Sistema]\nPorta=COM8\n");
    load();
    EXPECT_EQ(Quelmar_FI_ItsBusy(), 0);  // no port: not busy
}

TEST_F(ReplyTest, LongCommandWaitsWhileTheJournalSaysExecuting) {
    configure();
    for (int k = 0; k < 3; ++k) line->reply(bytes({6, 0, 0, 9, 0}));
    for (int k = 0; k < 5; ++k) line->reply(bytes({6, 0, 0, 0, 0}));
    EXPECT_EQ(protocol::waitLongCommand(exports::chosenRoad(), 60), 1);
    EXPECT_FALSE(state().mfdPrinter);
    EXPECT_EQ(state().portOpen, 0);  // opened for the wait only

    // Never finishing: gives up when the time is over.
    for (int k = 0; k < 100000; ++k) line->reply(bytes({6, 0, 0, 9, 0}));
    const std::uint32_t start = platform.tickCount();
    EXPECT_EQ(protocol::waitLongCommand(exports::chosenRoad(), 30), 0);
    const std::uint32_t took = platform.tickCount() - start;
    EXPECT_GE(took, 30000u);
    EXPECT_LT(took, 31000u);
}

TEST_F(ReplyTest, StreamReplyGoesToTheAnswerFileInChunks) {
    configure("Status=1\n");
    std::string text(2500, 'x');
    text[1200] = static_cast<char>(0x87);  // a printer letter
    line->reply(bytes({6, 0, 0}) + text + "\x03");
    ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B\x0E", 0)), 1);
    const std::string file = workDir() + "/Leitura.txt";
    EXPECT_EQ(protocol::readStreamReply(exports::chosenRoad(), {}, file), 1);
    std::string expected = text;
    expected[1200] = static_cast<char>(0xE7);
    EXPECT_EQ(readFile(file), expected);
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "6,0,0");

    // A refused command: no text, the status says why.
    line->reply(bytes({6, 0, 8}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B\x0E", 0)), 1);
    EXPECT_EQ(protocol::readStreamReply(exports::chosenRoad(), {}, workDir() + "/Other.txt"), 1);
    EXPECT_FALSE(fileExists(workDir() + "/Other.txt"));
    EXPECT_EQ(state().st2, 8);
}

TEST_F(ReplyTest, LengthRulesByCommandNumber) {
    configure();
    line->reply(kOk);
    EXPECT_EQ(sendOnChosenRoad("\x1B\x13"), 1);
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
        reconfigure("", "Impressora=" + std::to_string(c.printerType) + "\n");
        line->reply(kOk);
        EXPECT_EQ(sendOnChosenRoad(c.command, c.explicitLength, c.raw), 1);
        EXPECT_EQ(line->lastFrame(), frameOf(c.sent));
    }
    EXPECT_EQ(protocol::prefixed("\x13"), "\x1B\x13");
    state().mfdPrinter = true;
    EXPECT_EQ(protocol::prefixed("\x13"), "\x1C\x13");
}

TEST_F(ReplyTest, PortControlClosesAfterEveryCommandButThePAndThoseWithoutReply) {
    configure("ControlePorta=1\n");
    // Commands without a reply return at once and keep the port open.
    EXPECT_EQ(sendOnChosenRoad(concat({"\x1B", "E123"})), 1);
    EXPECT_EQ(sendOnChosenRoad(concat({"\x1B\x08", "abcdefghijklR"})), 1);
    EXPECT_EQ(state().portOpen, 1);
    EXPECT_TRUE(line->readable.empty());
    line->reply(kOk);
    EXPECT_EQ(sendOnChosenRoad("\x1BP<"), 1);
    EXPECT_EQ(state().portOpen, 1);
    line->reply(kOk);
    EXPECT_EQ(sendOnChosenRoad("\x1B\x13"), 1);
    EXPECT_EQ(state().portOpen, 0);
}

TEST_F(ReplyTest, FailedWritesAreRetriedThenReported) {
    configure("ControlePorta=1\n");
    line->failingWrites = 2;  // two empty writes, then it goes through
    line->reply(kOk);
    EXPECT_EQ(sendOnChosenRoad("\x1B\x13"), 1);

    line->failingWrites = 3;  // three in a row: the command fails and the port is closed
    EXPECT_EQ(sendOnChosenRoad("\x1B\x13"), 0);
    EXPECT_EQ(state().portOpen, 0);

    state().writeAttempts = 0;
    EXPECT_EQ(sendOnChosenRoad("\x1B\x13"), 0);
}

}  // namespace
}  // namespace quelfi::test
