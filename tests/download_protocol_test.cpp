// The journal download's block protocol against the virtual printer's side of it on an in-process
// line (virtual clock): the PC's bytes on the wire, the file written, the faults of the line.
#include <gtest/gtest.h>

#include "mfd/dw_protocol.h"
#include "mfd/kermit_crc.h"
#include "sim/quelmar/download_peer.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

using mfd::CDwProtocol;
using sim::download::DownloadPeer;

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (const int v : values) out += static_cast<char>(v);
    return out;
}

std::string decoded(const std::vector<std::string>& blocks, std::size_t capacity) {
    mfd::mfdRleDecoder decoder;
    std::string out;
    for (const std::string& b : blocks)
        decoder.decode(reinterpret_cast<const std::uint8_t*>(b.data()), b.size(), capacity,
                       [&](const std::uint8_t* d, std::size_t n) {
                           out.append(reinterpret_cast<const char*>(d), n);
                           return n <= capacity;
                       });
    return out;
}

TEST(DownloadDecoding, EscapesWholeOrCutAcrossBlocksAndCheck) {
    const struct {
        std::vector<std::string> blocks;
        std::string expected;
    } cases[] = {
        {{bytes({0xFE, 0x05, 0x41})}, "AAAAAA"},
        {{bytes({0x31, 0xFE, 0xFE, 0x32})}, bytes({0x31, 0xFE, 0x32})},
        {{bytes({0xFE, 0x00, 0x00, 0x01, 0x20})}, std::string(257, ' ')},
        {{bytes({0xFE}), bytes({0x00, 0x00}), bytes({0x01}), bytes({0x20, 0x41})},
         std::string(257, ' ') + "A"},
        {{bytes({0x42, 0xFE, 0x02}), bytes({0x43})}, "BCCC"},
        {{bytes({0xFE}), bytes({0xFE})}, bytes({0xFE})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decoded(c.blocks, 64), c.expected);
        EXPECT_EQ(decoded(c.blocks, 1), c.expected);  // a run finished in the next buffers
    }
    const std::string check = "123456789";
    EXPECT_EQ(mfd::kermitCrc(reinterpret_cast<const std::uint8_t*>(check.data()), 9), 0x2189);
}

class DownloadProtocolTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        platform.useVirtualClock(true);
        platform.plugLine("COM1", [this](const platform::LineSettings& s) { return peer.open(s); });
        file.emplace(path());
        protocol.emplace(link, *file);
    }

    // The stream each command asks for; the fiscal memory's and the journal's differ.
    static std::optional<std::string> streams(std::string_view command) {
        std::string out = "[" + std::string(command.substr(1)) + "]";
        // No runs longer than three: the encoded stream is about as long as this one.
        for (int i = 0; out.size() < 3 * 4096 + 100; ++i)
            out += " linha " + std::to_string(i) + (i % 50 ? "" : "===") + "\r\n";
        out.resize(3 * 4096 + 100);
        return out;
    }

    // The PC's answer to a block.
    static std::string answer(int sequence, int code, int crc) {
        return bytes({0x02, sequence, code, crc & 0xFF, crc >> 8});
    }

    std::string path() const { return workDir() + "/DOWNLOAD.MFD"; }

    DownloadPeer peer{streams, platform};
    mfd::CWinSerialInterface link{"COM1"};
    std::optional<mfd::CWinOutputStream> file;
    std::optional<CDwProtocol> protocol;
};

const std::string kAskFiscalMemory = bytes({0x02, 0x04, 0x00, 0x1B, 0x62, 0x7D, 0x00});
const std::string kAcks =  // blocks 0 to 4 (the header and four of data)
    bytes({2,    1,    6, 0x56, 0xC9, 2,    2,    6, 0x3E, 0xE3, 2,    3,   6,
           0xE6, 0xFA, 2, 4,    6,    0xEE, 0xB7, 2, 5,    6,    0x36, 0xAE});

TEST_F(DownloadProtocolTest, FiscalMemoryWrittenWithoutItsHeaderBlock) {
    ASSERT_EQ(protocol->downloadFiscalMemory(), 1);
    EXPECT_EQ(peer.written, kAskFiscalMemory + kAcks);
    EXPECT_EQ(readFile(path()), *streams("\x1b"
                                         "b"));
    EXPECT_EQ(peer.bauds, (std::vector<std::uint32_t>{9600, 115200}));
}

TEST_F(DownloadProtocolTest, JournalFollowsTheFiscalMemoryAfterAPause) {
    ASSERT_EQ(protocol->downloadJournalByCoo(12, 345, 1), 1);
    const std::string askByCoo = std::string(
                                     "\x02\x14\x00\x1B"
                                     "aC000012000345001",
                                     21) +
                                 bytes({0x9F, 0x03});
    EXPECT_EQ(peer.written, kAskFiscalMemory + kAcks + askByCoo + kAcks);
    EXPECT_EQ(readFile(path()), *streams("\x1b"
                                         "b") +
                                    *streams("\x1b"
                                             "aC000012000345001"));
}

TEST_F(DownloadProtocolTest, LineFaults) {
    const std::string nak0 = answer(0, 0x15, 0xF294);
    const struct {
        const char* name;
        std::function<void(DownloadPeer&)> fault;
        int result;
        std::string pcBytes;  // after the command
        bool empty = false;   // nothing written
    } cases[] = {
        {"spoiled block", [](DownloadPeer& p) { p.spoilBlock(1); }, 1,
         kAcks.substr(0, 5) + nak0 + kAcks.substr(5)},
        {"answer lost: the repeat is acknowledged again and written once",
         [](DownloadPeer& p) { p.loseAnswerTo(2); }, 1, kAcks.substr(0, 15) + kAcks.substr(10)},
        {"cut block", [](DownloadPeer& p) { p.cutBlock(3); }, 1, kAcks},
        {"sequence two ahead", [](DownloadPeer& p) { p.skipSequenceAt(2); }, 0,
         kAcks.substr(0, 10)},
        {"short last block out of sequence", [](DownloadPeer& p) { p.skipSequenceAt(4); }, 0,
         kAcks.substr(0, 20)},
        {"silence: no block came", [](DownloadPeer& p) { p.goSilent(); }, 0, "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DownloadPeer faulty{streams, platform};
        c.fault(faulty);
        platform.plugLine("COM1", [&](const platform::LineSettings& s) { return faulty.open(s); });
        mfd::CWinOutputStream out{workDir() + "/F.MFD"};
        CDwProtocol download{link, out};
        EXPECT_EQ(download.downloadFiscalMemory(), c.result);
        EXPECT_EQ(faulty.written, kAskFiscalMemory + c.pcBytes);
        EXPECT_EQ(link.openName(), "");
        // Closed even after a failure: the file can be read whole and removed.
        const std::string written = readFile(workDir() + "/F.MFD");
        if (c.result == 1 || c.empty) {
            EXPECT_EQ(written, c.empty ? ""
                                       : *streams("\x1b"
                                                  "b"));
        }
    }
}

}  // namespace
}  // namespace quelfi::test
