// The library's side of the network-driver mode: the client's request file and its reading of the
// driver's answer, and the raw request the driver program runs on the printer.
#include <cstring>
#include <filesystem>

#include "protocol/driver_request.h"
#include "protocol_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

using core::state;

const std::string kStatusFrame = frameOf("\x1B\x13");
// Raw requests: the status request (three reply bytes), a data query (six, BCD data first).
const std::string kStatusRequest = rawRequest({"\x1B\x13", "3", "0", "0", "0"});
const std::string kDataQuery = rawRequest({"\x1B#\x01", "6", "1", "1", "1"});

class NetworkModeTest : public ProtocolTest {
  protected:
    void SetUp() override {
        ProtocolTest::SetUp();
        platform.plugPort("COM1", [this] {
            ++opens;
            return std::make_unique<ScriptedPort>(line);
        });
    }
    // A client whose shared directory is written `path`.
    void configureClient(const std::string& path) {
        writeIni("[Sistema]\npath=" + path + "\nLog=1\nPorta=COM1\nConfigRede=1\n");
        load();
        std::filesystem::remove(workDir() + "/QuelFI32.log");
    }
    int opens = 0;
};

TEST_F(NetworkModeTest, ClientLeavesTheRecordForTheDriverAndTouchesNoPort) {
    for (const std::string& path : {workDir(), workDir() + "/", workDir() + "\\"}) {
        SCOPED_TRACE(path);
        configureClient(path);
        writeFile(workDir() + "/Status.txt", "6,0,0");
        writeFile(workDir() + "/Quelfi32.cmd", "095|older request");
        EXPECT_EQ(Quelmar_FI_VerificaImpressoraLigada(), 1);
        EXPECT_EQ(commandFile(), "097|");
        EXPECT_FALSE(fileExists(workDir() + "/Status.txt"));
        EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_VerificaImpressoraLigada ",
                                       "Retorno Quelmar_FI_VerificaImpressoraLigada: 1"}));
    }
    EXPECT_EQ(opens, 0);
    EXPECT_TRUE(line->written.empty());

    // A shared directory that cannot be written to.
    configureClient(workDir() + "/missing");
    EXPECT_EQ(Quelmar_FI_VerificaImpressoraLigada(), 0);
    EXPECT_EQ(state().lastReturnCode, 0);
}

TEST_F(NetworkModeTest, DriverAnswerIsReadWithoutLineEnds) {
    configureClient(workDir());
    writeFile(workDir() + "/Retorno.txt", "0001,\r\n0002\r\n");
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(Quelmar_FI_LeArquivoRetorno(buffer), 1);
    // Nothing but the answer's bytes is written: no terminating NUL.
    EXPECT_EQ(std::string(buffer, sizeof buffer), "0001,0002xxxxxxx");
    EXPECT_TRUE(fileExists(workDir() + "/Retorno.txt"));

    writeFile(workDir() + "/Retorno.txt", std::string("12\xFF") + "34");
    std::memset(buffer, 0, sizeof buffer);
    EXPECT_EQ(Quelmar_FI_LeArquivoRetorno(buffer), 1);
    EXPECT_STREQ(buffer, "12");
    EXPECT_EQ(Quelmar_FI_LeArquivoRetorno(nullptr), 1);
    EXPECT_EQ(workLog(), "");

    // No answer: 500 looks 100 ms apart, 1800 during a fiscal-memory reading.
    std::filesystem::remove(workDir() + "/Retorno.txt");
    std::uint32_t start = platform.tickCount();
    EXPECT_EQ(Quelmar_FI_LeArquivoRetorno(buffer), 0);
    EXPECT_EQ(platform.tickCount() - start, 499u * 100u);
    state().commandBusy = 2;
    start = platform.tickCount();
    EXPECT_EQ(Quelmar_FI_LeArquivoRetorno(buffer), 0);
    EXPECT_EQ(platform.tickCount() - start, 1799u * 100u);
}

TEST_F(NetworkModeTest, RawRequestSendsItsCommandAsItStands) {
    // Driver side: the reply is neither masked nor written to Status.txt by the library.
    configure("ConfigRede=2\nStatus=1\n[MFD]\nImpressora=1\nStatusErro=0\n");
    line->reply(bytes({6, 4 + 64, 1 + 8}));
    EXPECT_EQ(Quelmar_FI_ComandoDriverRede(kStatusRequest.c_str()), 1);
    EXPECT_EQ(line->written, kStatusFrame);
    EXPECT_EQ(state().ack, 6);
    EXPECT_EQ(state().st1, 68);
    EXPECT_EQ(state().st2, 9);
    EXPECT_FALSE(fileExists(workDir() + "/Status.txt"));
    EXPECT_EQ(workLog(), logLines({"Quelmar_FI_AbrePortaSerial ", "Parâmetro: COM1",
                                   "Retorno Quelmar_FI_AbrePortaSerial: 1"}));

    // A data query: six reply bytes, BCD data before the status.
    line->reply(bytes({6, 0x12, 0x34, 0x56, 0, 0}));
    EXPECT_EQ(Quelmar_FI_ComandoDriverRede(kDataQuery.c_str()), 1);
    EXPECT_EQ(line->lastFrame(), frameOf("\x1B#\x01"));
    EXPECT_EQ(state().replyBuffer, "123456");

    // A send that fails leaves "0,0,0" for the client.
    line->failingWrites = 3;
    EXPECT_EQ(Quelmar_FI_ComandoDriverRede(kStatusRequest.c_str()), 0);
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "0,0,0");

    // Nothing to send.
    std::filesystem::remove(workDir() + "/Status.txt");
    const std::size_t written = line->written.size();
    EXPECT_EQ(Quelmar_FI_ComandoDriverRede(nullptr), 0);
    EXPECT_EQ(Quelmar_FI_ComandoDriverRede(rawRequest({"", "3"}).c_str()), 0);
    EXPECT_EQ(line->written.size(), written);
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "0,0,0");
}

TEST(RawRequestTest, FieldsMissingOrGarbledReadAsZero) {
    const auto r = protocol::parseRawRequest(rawRequest({"\x1B#", "12x", "1", "", "9"}));
    EXPECT_EQ(r.command, "\x1B#");
    EXPECT_EQ(r.replyLength, 12);
    EXPECT_EQ(r.dataMode, 1);
    EXPECT_EQ(r.dataFormat, 0);
    EXPECT_EQ(r.layout, 9);
    const auto bare = protocol::parseRawRequest("\x1B\x13");
    EXPECT_EQ(bare.command, "\x1B\x13");
    EXPECT_EQ(bare.replyLength, 0);
    EXPECT_EQ(bare.layout, 0);
}

}  // namespace
}  // namespace quelfi::test
