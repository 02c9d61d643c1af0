// Reading the reply: acknowledge, data formats, table layouts, status rules and time-outs.
#include "exports/boundary.h"
#include "protocol/reply_reader.h"
#include "protocol/send_command.h"
#include "protocol/waits.h"
#include "protocol_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

using core::state;

class ReplyTest : public ProtocolTest {};

TEST_F(ReplyTest, NoiseBeforeTheAcknowledgeIsSkipped) {
    configure();
    line->reply(bytes({0x00, 0x06, 0x00, 0x00}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B\x13", 3)), 1);
    EXPECT_EQ(state().ack, 6);
    EXPECT_EQ(state().st1, 0);
    EXPECT_EQ(state().st2, 0);
    EXPECT_EQ(state().lastReturnCode, 1);
}

TEST_F(ReplyTest, NakEndsTheReplyAndIsWrittenToTheStatusFile) {
    configure("Status=1\n");
    line->reply(bytes({21}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B\x13", 3)), 1);
    EXPECT_EQ(state().ack, 21);
    EXPECT_EQ(state().st1, 0);
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "21");
    line->reply(bytes({6, 64, 0}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B\x13", 3)), 1);
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "6,64,0");
}

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

TEST_F(ReplyTest, StatusInReturnCodeGivesMinusTwentySeven) {
    configure("StatusFuncao=1\n");
    line->reply(bytes({6, 0, 1}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B\x13", 3)), 1);
    EXPECT_EQ(state().lastReturnCode, -27);
    line->reply(bytes({6, 0, 0}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B\x13", 3)), 1);
    EXPECT_EQ(state().lastReturnCode, 1);
}

TEST_F(ReplyTest, NewerPrintersMaskTheCommandErrorBits) {
    configure("Status=1\n[MFD]\nImpressora=1\nStatusErro=0\n");
    line->reply(bytes({6, 4 + 64, 1 + 8}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B\x13", 3)), 1);
    EXPECT_EQ(state().st1, 64);
    EXPECT_EQ(state().st2, 8);
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "6,64,8");

    configure("Status=1\n[MFD]\nImpressora=1\nStatusErro=1\n");
    line->reply(bytes({6, 4, 1}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B\x13", 3)), 1);
    EXPECT_EQ(state().st1, 4);
    EXPECT_EQ(state().st2, 1);

    configure("Status=1\n[MFD]\nImpressora=0\n");
    line->reply(bytes({6, 4, 1}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B\x13", 3)), 1);
    EXPECT_EQ(state().st1, 4);
}

TEST_F(ReplyTest, ElectronicJournalRepliesCarryStatusThree) {
    configure("Status=1\n");
    state().mfdPrinter = true;
    line->reply(bytes({6, 0, 0, 9, 0}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1C\x13", 3)), 1);
    EXPECT_EQ(state().st3, 9);
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "6,0,0,9");

    line->reply(bytes({6, 0x12, 0x34, 0, 0, 0x01, 0x02}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1C#\x09", 5, 1, 1, 1)), 1);
    EXPECT_EQ(state().replyBuffer, "1234");
    EXPECT_EQ(state().st3, 0x0201);

    // An error reply stops after ST2 and reports ST3 1.
    line->reply(bytes({6, 4, 0}));
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1C\x13", 3)), 1);
    EXPECT_EQ(state().st3, 1);
    EXPECT_TRUE(line->readable.empty());
}

TEST_F(ReplyTest, SilentPrinterGivesUpWithinTwelveSeconds) {
    configure();
    const std::uint32_t start = platform.tickCount();
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B\x13", 3)), 0);
    const std::uint32_t took = platform.tickCount() - start;
    EXPECT_GE(took, 12000u);
    EXPECT_LE(took, 13000u);
}

TEST_F(ReplyTest, ReplyCutShortGivesUpAfterTheReadAttempts) {
    configure();
    line->reply(bytes({6, 0x12}));  // data and status never come
    const std::uint32_t start = platform.tickCount();
    EXPECT_EQ(sendOnChosenRoad(commandSpec("\x1B#\x09", 5, 1, 1, 1)), 0);
    EXPECT_EQ(platform.tickCount() - start, 21u * 1000u);  // 21 failed reads, 1 s apart
}

TEST_F(ReplyTest, ReadyWaitLimitsFollowTheCommandClass) {
    configure();
    ASSERT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    line->ctsAlwaysLow = true;
    const std::pair<int, std::uint32_t> classes[] = {
        {0, 20000}, {1, 40000}, {2, 180000}, {3, 200000}};
    const protocol::Road& road = exports::chosenRoad();
    for (const auto& [busy, ms] : classes) {
        protocol::CommandSpec spec;
        spec.busyClass = busy;
        const std::uint32_t start = platform.tickCount();
        EXPECT_EQ(protocol::waitPrinterReady(road, protocol::readyPollLimit(spec)), 0);
        EXPECT_EQ(platform.tickCount() - start, ms) << busy;
    }
    protocol::CommandSpec probe;
    probe.probe = true;
    std::uint32_t start = platform.tickCount();
    EXPECT_EQ(protocol::waitPrinterReady(road, protocol::readyPollLimit(probe)), 0);
    EXPECT_EQ(platform.tickCount() - start, 500u);

    line->ctsAlwaysLow = false;
    line->ctsLowReads = 3;
    start = platform.tickCount();
    EXPECT_EQ(protocol::waitPrinterReady(road, protocol::readyPollLimit({})), 1);
    EXPECT_EQ(platform.tickCount() - start, 300u);
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

}  // namespace
}  // namespace quelfi::test
