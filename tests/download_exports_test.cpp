// The download exports: every refusal with its lines, the request left in client mode, and whole
// downloads from the virtual printer's side on an in-process line (virtual clock).
#include <gtest/gtest.h>

#include <functional>

#include "sim/quelmar/download_peer.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

using sim::download::DownloadPeer;
using Lines = std::vector<std::string>;

class DownloadExportsTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        platform.useVirtualClock(true);
        platform.plugLine("COM1", [this](const platform::LineSettings& s) { return peer.open(s); });
        reconfigure("");
    }

    static std::optional<std::string> streams(std::string_view command) {
        if (command.substr(1) == "aC000007000009001") return std::nullopt;  // refused
        return "[" + std::string(command.substr(1)) + "]" + std::string(5000, 'x') + "\r\n";
    }

    DownloadPeer peer{streams, platform};
};

TEST_F(DownloadExportsTest, RefusalsWithTheirLines) {
    const std::string f = workDir() + "/M.MFD";
    const char* file = f.c_str();
    const struct {
        std::function<int()> call;
        Lines lines;  // after the parameter line
    } cases[] = {
        {[] { return Quelmar_FI_DownloadMFD("a", "", "", "", ""); },
         {"Retorno Quelmar_FI_DownloadMFD: -2 - O tipo de download não pode ser nulo"}},
        {[] { return Quelmar_FI_DownloadMFD("a", "3", "", "", ""); },
         {"Retorno Quelmar_FI_DownloadMFD: -2 - Parametro invalido para o tipo de download 3"}},
        {[] { return Quelmar_FI_DownloadMFD(nullptr, "0", "", "", ""); },
         {"Quelmar_FI_DownloadMFDTotal ",
          "Retorno Quelmar_FI_DownloadMFDTotal: -2 - O parametro Arquivo não pode ser nulo",
          "Retorno Quelmar_FI_DownloadMFD: -2"}},
        {[&] { return Quelmar_FI_DownloadMFD(file, "1", "1/12/2024", "01122024", ""); },
         {"Quelmar_FI_DownloadMFDPorData ",
          "Retorno Quelmar_FI_DownloadMFDPorData: -2 - Parametro invalido para a data inicial",
          "Retorno Quelmar_FI_DownloadMFD: -2"}},
        {[&] { return Quelmar_FI_DownloadMFD(file, "1", "011224", "0112202", ""); },
         {"Quelmar_FI_DownloadMFDPorData ",
          "Retorno Quelmar_FI_DownloadMFDPorData: -2 - Parametro invalido para a data final",
          "Retorno Quelmar_FI_DownloadMFD: -2"}},
        {[&] { return Quelmar_FI_DownloadMFD(file, "1", "311124", "010125", ""); },
         {"Quelmar_FI_DownloadMFDPorData ",
          "Retorno Quelmar_FI_DownloadMFDPorData: -2 - Data inicial invalida",
          "Retorno Quelmar_FI_DownloadMFD: -2"}},
        {[&] { return Quelmar_FI_DownloadMFD(file, "1", "01122024", "320125", ""); },
         {"Quelmar_FI_DownloadMFDPorData ",
          "Retorno Quelmar_FI_DownloadMFDPorData: -2 - Data final invalida",
          "Retorno Quelmar_FI_DownloadMFD: -2"}},
        {[&] { return Quelmar_FI_DownloadMFD(file, "2", "1234567", "9", "1"); },
         {"Quelmar_FI_DownloadMFDPorCOO ",
          "Retorno Quelmar_FI_DownloadMFDPorCOO: -2 - Parametro invalido para COOInicial 1234567",
          "Retorno Quelmar_FI_DownloadMFD: -2"}},
        {[&] { return Quelmar_FI_DownloadMFD(file, "2", "1", "9a", "1"); },
         {"Quelmar_FI_DownloadMFDPorCOO ",
          "Retorno Quelmar_FI_DownloadMFDPorCOO: -2 - Parametro invalido para COOFinal 9a",
          "Retorno Quelmar_FI_DownloadMFD: -2"}},
        {[&] { return Quelmar_FI_DownloadMFD(file, "2", "1", "9", nullptr); },
         {"Quelmar_FI_DownloadMFDPorCOO ",
          "Retorno Quelmar_FI_DownloadMFDPorCOO: -2 - O usuario não pode ser nulo",
          "Retorno Quelmar_FI_DownloadMFD: -2"}},
        {[&] { return Quelmar_FI_DownloadMFD(file, "2", "1", "9", "1000"); },
         {"Quelmar_FI_DownloadMFDPorCOO ",
          "Retorno Quelmar_FI_DownloadMFDPorCOO: -2 - Parametro invalido para o usuario 1000",
          "Retorno Quelmar_FI_DownloadMFD: -2"}},
        {[] { return Quelmar_FI_DownloadMF(""); },
         {"Retorno Quelmar_FI_DownloadMF: -2 - O parametro Arquivo não pode ser nulo"}},
    };
    for (const auto& c : cases) {
        clearLog();
        EXPECT_EQ(c.call(), -2);
        const std::string log = workLog();
        const std::size_t after = log.find("\r\r\n", log.find("Par")) + 3;
        EXPECT_EQ(log.substr(after), logLines(c.lines));
    }
    EXPECT_EQ(peer.written, "");
}

TEST_F(DownloadExportsTest, DownloadsWithTheirLinesAndFiles) {
    const std::string f = workDir() + "/M.MFD";
    ASSERT_EQ(Quelmar_FI_DownloadMFD(f.c_str(), "1", "01/12/2024", "010125", nullptr), 1);
    const std::string closing = "Retorno Quelmar_FI_FechaPortaSerial: 1";
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_DownloadMFD ",
                                   "Parâmetros: 1|01/12/2024|010125|" + f + "|",
                                   "Quelmar_FI_DownloadMFDPorData ", "Quelmar_FI_FechaPortaSerial ",
                                   closing, "Retorno Quelmar_FI_DownloadMFDPorData: 1",
                                   "Retorno Quelmar_FI_DownloadMFD: 1"}));
    EXPECT_EQ(readFile(f), *streams("\x1b"
                                    "b") +
                               *streams("\x1b"
                                        "aD011224010125"));

    // A refused journal phase: 0, the file closed with the fiscal memory in it.
    clearLog();
    EXPECT_EQ(Quelmar_FI_DownloadMFD(f.c_str(), "2", "7", "9", "1"), 0);
    EXPECT_EQ(readFile(f), *streams("\x1b"
                                    "b"));

    clearLog();
    ASSERT_EQ(Quelmar_FI_DownloadMF(f.c_str()), 1);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_DownloadMF ", "Parâmetros: " + f,
                                   "Quelmar_FI_FechaPortaSerial ", closing,
                                   "Retorno Quelmar_FI_DownloadMF: 1"}));
    EXPECT_EQ(readFile(f), *streams("\x1b"
                                    "b"));

    // A file that cannot be created: -8.
    EXPECT_EQ(Quelmar_FI_DownloadMF((workDir() + "/none/M.MFD").c_str()), -8);
}

TEST_F(DownloadExportsTest, ClientModeLeavesTheRecords) {
    reconfigure("ConfigRede=1\n");
    EXPECT_EQ(Quelmar_FI_DownloadMFD("m.mfd", "2", "1", "9", "1"), 1);
    EXPECT_EQ(readFile(workDir() + "/Quelfi32.cmd"), "242|m.mfd|2|1|9|1|");
    EXPECT_EQ(Quelmar_FI_DownloadMF("m.mfd"), 1);
    EXPECT_EQ(readFile(workDir() + "/Quelfi32.cmd"), "243|m.mfd|");
    EXPECT_EQ(peer.written, "");
}

}  // namespace
}  // namespace quelfi::test
