// The library as a network client and on the driver side: each export's request record left for
// the driver program (and nothing sent to a printer), the reading of the driver's answer, and the
// raw request the driver program runs on the printer.
#include <cstring>
#include <filesystem>
#include <functional>

#include "protocol/call.h"
#include "protocol/driver_request.h"
#include "protocol_fixture.h"

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
        clearLog();
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

    // No answer: 500 looks 100 ms apart.
    std::filesystem::remove(workDir() + "/Retorno.txt");
    const std::uint32_t start = platform.tickCount();
    EXPECT_EQ(Quelmar_FI_LeArquivoRetorno(buffer), 0);
    EXPECT_EQ(platform.tickCount() - start, 499u * 100u);
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

TEST_F(NetworkModeTest, DayExportsWriteTheirRecords) {
    configureClient(workDir());
    char buffer[32] = {};
    struct Case {
        std::function<int()> call;
        std::string record;
    };
    const Case cases[] = {
        {[] { return Quelmar_FI_LeituraX(); }, "045|"},
        {[] { return Quelmar_FI_ReducaoZ("31/12/2004", "23:59:00"); }, "071|31122004|23:59:00|"},
        {[] { return Quelmar_FI_ReducaoZ(nullptr, nullptr); }, "071|||"},
        {[] { return Quelmar_FI_ReducaoZImpAntiga(); }, "237|"},
        {[] { return Quelmar_FI_LeituraMemoriaFiscalData("01/03/2024", "31/03/24"); },
         "041|010324|310324|"},
        {[] { return Quelmar_FI_LeituraMemoriaFiscalReducao("1", "25"); }, "042|1|25|"},
        {[] { return Quelmar_FI_AberturaDoDia("100,00", "Dinheiro"); }, "001|100,00|Dinheiro|"},
        {[] { return Quelmar_FI_FechamentoDoDia(); }, "030|"},
        {[&] { return Quelmar_FI_SubTotal(buffer); }, "080|"},
        {[] { return Quelmar_FI_RelatorioGerencial("linha"); }, "072|linha|"},
        {[] { return Quelmar_FI_RelatorioGerencialTEF("linha"); }, "201|"},
        {[] { return Quelmar_FI_FechaRelatorioGerencial(); }, "031|"},
        {[] { return Quelmar_FI_RecebimentoNaoFiscal("7", "10,00", "Dinheiro"); },
         "070|7|10,00|Dinheiro|"},
        {[] { return Quelmar_FI_AbreComprovanteNaoFiscalVinculado("Cartao", "50,00", "123"); },
         "002|Cartao|50,00|123|"},
        {[] { return Quelmar_FI_UsaComprovanteNaoFiscalVinculado("texto"); }, "084|texto|"},
        {[] { return Quelmar_FI_UsaComprovanteNaoFiscalVinculadoTEF("texto"); }, "200|"},
        {[] { return Quelmar_FI_FechaComprovanteNaoFiscalVinculado(); }, "027|"},
        {[] { return Quelmar_FI_Sangria("100,00"); }, "078|100,00|"},
        {[] { return Quelmar_FI_Suprimento("100,00", nullptr); }, "081|100,00||"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(workDir() + "/Quelfi32.cmd");
        EXPECT_EQ(c.call(), 1) << c.record;
        EXPECT_EQ(commandFile(), c.record);
    }
    EXPECT_TRUE(line->written.empty());
}

TEST_F(NetworkModeTest, LogLinesOfTheRecordsThatDifferFromTheUsualShape) {
    configureClient(workDir());
    EXPECT_EQ(Quelmar_FI_AberturaDoDia("0,00", nullptr), 1);
    EXPECT_EQ(Quelmar_FI_RelatorioGerencialTEF("texto"), 1);
    EXPECT_EQ(Quelmar_FI_ReducaoZImpAntiga(), 1);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_AberturaDoDia ", "Parâmetros: 0,00||",
                        "Retorno Quelmar_FI_AberturaDoDia: 1",
                        "Retorno Quelmar_FI_RelatorioGerencialTEF: 1", kSep, "Quelmar_FI_ReducaoZ ",
                        "Retorno Quelmar_FI_ReducaoZImpAntiga: 1"}));
}

TEST_F(NetworkModeTest, AnExportWithoutARecordHasNoNetworkStep) {
    configureClient(workDir());
    const protocol::Call call(exports::chosenRoad(), protocol::exportRow("Quelmar_FI_ItsBusy"));
    EXPECT_EQ(call.handOver({"x"}), std::nullopt);
    EXPECT_FALSE(fileExists(workDir() + "/Quelfi32.cmd"));
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_ItsBusy "}));
}

}  // namespace
}  // namespace quelfi::test
