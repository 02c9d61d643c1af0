// The Yanco printer's frame and reply as the library sends and reads them, against the virtual
// Yanco printer on a misbehaving in-process line; the status translation; the text helpers.
#include "adapters/yanco/yanco_transport.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "adapters/yanco/yanco_parser.h"
#include "adapters/yanco/yanco_status.h"
#include "adapters/yanco/yanco_text.h"
#include "core/printer_state.h"
#include "exports/boundary.h"
#include "support/yanco_frames.h"
#include "yanco_fixture.h"

namespace quelfi::test {
namespace {

using core::state;

std::string sequenceAt(std::uint32_t tick) {
    char text[8];
    std::snprintf(text, sizeof text, "%04u", tick % 10000u);
    return text;
}

// A line that never stops talking: bytes without end, or a frame that never closes.
class EndlessLine final : public platform::Port {
  public:
    explicit EndlessLine(std::string start) : start_(std::move(start)) {}
    long write(const std::uint8_t*, std::size_t size) override { return static_cast<long>(size); }
    bool readByte(std::uint8_t& byte) override {
        byte = static_cast<std::uint8_t>(at_ < start_.size() ? start_[at_++] : 'x');
        ++read;
        return true;
    }
    bool ctsOn() override { return true; }
    std::size_t read = 0;

  private:
    std::string start_;
    std::size_t at_ = 0;
};

class YancoTransportTest : public YancoTest {};

TEST_F(YancoTransportTest, FramesOnTheWire) {
    start();
    configure("ControlePorta=1\n");
    // A text whose sum ends in a zero byte, and one whose sum passes 0xFFFF.
    std::string zeroLow = "34077";
    for (char c = '0'; c <= 'z'; ++c) {
        const std::string frame =
            yancoFrame(sequenceAt(platform.tickCount()), "34077" + std::string(1, c));
        if (frame.back() == '\0') zeroLow += c;
    }
    ASSERT_EQ(zeroLow.size(), 6u);
    const std::string wide(600, 'z');
    for (const std::string& text : {std::string("25"), zeroLow, wide}) {
        SCOPED_TRACE(text.size());
        const std::string sequence = sequenceAt(platform.tickCount());
        Quelmar_FI_ComandoDriverRede(raw(text, '0').c_str());
        EXPECT_EQ(line->frames().back(), yancoFrame(sequence, text));
        EXPECT_EQ(state().portOpen, 0);  // port control closes it after the reply
    }
    // The readings in several frames leave the port open for their frames, unread.
    EXPECT_EQ(Quelmar_FI_ComandoDriverRede(raw("2F", '1').c_str()), 1);
    EXPECT_EQ(state().portOpen, 1);
    EXPECT_EQ(state().replyBuffer, "");
}

TEST_F(YancoTransportTest, RepliesAsTheyComeAndTheStatusFile) {
    start();
    configure("StatusFuncao=1\n");
    struct Case {
        std::string what;
        std::function<void()> fault;
        std::string command;
        int result;
        std::string status;
    };
    const std::string asked = raw("34077", '1');
    const std::string notAsked = raw("34077", '0');
    const std::vector<Case> cases = {
        {"clean", [] {}, asked, 1, "6,0,0"},
        {"noise before the DC4 is dropped", [&] { line->garbageBeforeAck("ab?x"); }, asked, 1,
         "6,0,0"},
        {"an ETX before any DC4 ends the frame", [&] { line->garbageBeforeAck("ab\x03"); }, asked,
         -27, "0,0,0"},
        {"a NAK", [&] { line->answerNak(); }, asked, -27, "21"},
        {"a status number", [&] { line->answerStatus(34); }, asked, -27, "6,34,1"},
        {"a status not asked for", [&] { line->answerStatus(34); }, notAsked, 1, "6,0,0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.fault();
        EXPECT_EQ(Quelmar_FI_ComandoDriverRede(c.command.c_str()), 1);
        EXPECT_EQ(state().lastReturnCode, c.result);
        EXPECT_EQ(readFile(workDir() + "/Status.txt"), c.status);
    }
}

TEST_F(YancoTransportTest, NoReplyGivesUpWithoutOverflowOrHang) {
    start();
    configure();
    // A silent printer: 21 empty reads in a row, a second apart.
    line->goSilent();
    const std::uint64_t before = platform.slept();
    EXPECT_EQ(Quelmar_FI_LeituraX(), 0);
    EXPECT_EQ(platform.slept() - before, 20000u);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_LeituraX ",
                        cp1252("Retorno Quelmar_FI_LeituraX: 0 - Erro de comunicação")}));
    // Endless noise, and a frame that never closes, end within the reply buffer.
    for (const std::string& talk : {std::string(), std::string("\x14")}) {
        Quelmar_FI_FechaPortaSerial();
        EndlessLine* endless = nullptr;
        platform.plugPort("COM1", [&] {
            auto port = std::make_unique<EndlessLine>(talk);
            endless = port.get();
            return port;
        });
        EXPECT_EQ(Quelmar_FI_ComandoDriverRede(raw("25", '0').c_str()), 0);
        EXPECT_EQ(endless->read, yanco::kReplyFrameMax + 1);
        EXPECT_LE(state().replyBuffer.size(), yanco::kReplyFrameMax);
    }
}

TEST_F(YancoTransportTest, FramesOfAReadingAppendedToTheAnswerFile) {
    start();
    configure("ControlePorta=1\n");
    const protocol::Road& road = exports::chosenRoad();
    ASSERT_EQ(yanco::sendYancoCommand(road, {"2F", true, 0}), 1);
    std::string expected;
    int frames = 0;
    for (bool last = false; !last; ++frames) {
        EXPECT_EQ(state().portOpen, 1);  // open until the last frame has come
        EXPECT_EQ(yanco::appendYancoReplyToAnswerFile(road, true, last), 1);
        expected += yanco::replyAt(10, state().replyBuffer.size() - 12) + "\r\n";
    }
    EXPECT_EQ(state().portOpen, 0);
    EXPECT_GT(frames, 20);
    const std::string answer = readFile(workDir() + "/Retorno.txt");
    EXPECT_EQ(answer, expected);
    EXPECT_EQ(answer.substr(0, 31), "             L E I T U R A  X\r\n");

    // An answer file that cannot be written.
    std::filesystem::remove(workDir() + "/Retorno.txt");
    std::filesystem::create_directory(workDir() + "/Retorno.txt");
    ASSERT_EQ(yanco::sendYancoCommand(road, {"2D0061226061226000000000", true, 0}), 1);
    bool last = false;
    EXPECT_EQ(yanco::appendYancoReplyToAnswerFile(road, true, last), -8);
}

TEST_F(YancoTransportTest, StatusNumbersTranslated) {
    // Every number of a row, and a neighbour that keeps its bytes.
    struct Row {
        std::vector<int> statuses;
        int st1, st2;
    };
    const std::vector<Row> rows = {
        {{9, 17, 32, 41, 42, 43, 44, 45, 46, 47, 49, 50, 53, 54, 55, 56, 57, 64, 69, 71, 72}, 0, 1},
        {{10}, 128, 1},
        {{16}, 1, 1},
        {{18, 19, 74, 75}, 16, 1},
        {{20, 30, 35, 36, 37, 38, 39, 48}, 0, 129},
        {{34}, 0, 17},
        {{62}, 64, 1},
        {{67, 68, 73}, 0, 0},
        {{70}, 0, 5},
        {{0, 1, 5, 8, 11, 15, 21, 29, 31, 33, 40, 51, 52, 58, 61, 63, 65, 66, 76, 99}, 7, 3},
    };
    for (const Row& row : rows) {
        for (int status : row.statuses) {
            const yanco::StatusTranslation t = yanco::translateStatus(status, 7, 3);
            EXPECT_EQ(t.st1, row.st1) << status;
            EXPECT_EQ(t.st2, row.st2) << status;
        }
    }
}

TEST_F(YancoTransportTest, LastReplyTranslatedTheSameWhenAskedTwice) {
    start();
    configure();
    line->answerStatus(18);
    Quelmar_FI_ComandoDriverRede(raw("34077", '1').c_str());
    clearLog();
    for (int asked = 0; asked < 2; ++asked) {
        short ack = 0, st1 = 0, st2 = 0;
        EXPECT_EQ(Quelmar_FI_RetornoImpressora(&ack, &st1, &st2), 1);
        EXPECT_EQ(std::vector<short>({ack, st1, st2}), std::vector<short>({6, 16, 1}));
    }
    const std::vector<std::string> lines = {
        "Quelmar_FI_RetornoImpressora ", "Yanco_FI_RetornoImpressora ", "Status yanco: 6,18,1",
        "Status compatibilizado: 6,16,1", "Retorno Yanco_FI_RetornoImpressora: 1"};
    std::string twice;
    for (int k = 0; k < 2; ++k) {
        twice += logLines({kSep});
        for (const std::string& l : lines) twice += logLines({l});
    }
    EXPECT_EQ(workLog(), twice);
}

TEST(YancoText, AccentsBecomePlainLetters) {
    std::string text = cp1252("ªºÀÁÂÃÄÇÈÉÊÌÍÏÑÒÓÔÕÙÚÛÜàáâãäçèéêëìíïñòóôõöùúûüÿ ÆÎ×\r\n");
    std::string kept = text;
    yanco::stripAccents(text, false);
    yanco::stripAccents(kept, true);
    EXPECT_EQ(text, "aoAAAAACEEEIIINOOOOUUUUaaaaaceeeeiiinooooouuuuy " + cp1252("ÆÎ×") + "  ");
    EXPECT_EQ(kept.substr(kept.size() - 2), "\r\n");
}

TEST(YancoText, ParserCutsLines) {
    const std::string pad = std::string(40, ' ');
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"ab\n\ncd", {"ab" + pad, std::string(42, ' '), "cd" + pad}},
        {std::string(43, 'x'), {std::string(42, 'x'), "x" + std::string(41, ' ')}},
        {std::string(42, 'y'), {std::string(42, 'y')}},
        {"abc\n", {"abc" + std::string(39, ' ')}},
        {"a\r\nb\r", {"a" + std::string(41, ' '), "b" + std::string(41, ' ')}},
        {"", {}},
    };
    for (const Case& c : cases) {
        yanco::YancoParser parser(c.text);
        parser.setWidth(42);
        parser.removeAll("\r");
        parser.setSeparator("\n");
        EXPECT_EQ(parser.parse(), !c.lines.empty()) << c.text;
        std::vector<std::string> lines;
        while (auto next = parser.nextLine()) lines.emplace_back(*next);
        EXPECT_EQ(lines, c.lines) << c.text;
    }
    // Widths out of range keep the width; without a separator there is nothing to cut at.
    yanco::YancoParser parser("abcdef");
    parser.setWidth(3);
    parser.setWidth(0);
    parser.setWidth(255);
    EXPECT_FALSE(parser.parse());
    parser.setSeparator("|");
    ASSERT_TRUE(parser.parse());
    EXPECT_EQ(parser.nextLine(), "abc");
    EXPECT_EQ(parser.nextLine(), "def");
    EXPECT_EQ(parser.nextLine(), std::nullopt);
}

}  // namespace
}  // namespace quelfi::test
