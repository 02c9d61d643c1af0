// The download exports: every refusal with its lines, the request left in client mode, and whole
// downloads from the virtual printer's side on an in-process line (virtual clock).
#include <gtest/gtest.h>

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
    // The kind's own operation logs its name and refusal, then the export closes with -2.
    const struct {
        const char *file, *kind, *first, *last, *user;
        std::string operation, message;
    } cases[] = {
        {"a", "", "", "", "", "", "O tipo de download não pode ser nulo"},
        {"a", "3", "", "", "", "", "Parametro invalido para o tipo de download 3"},
        {nullptr, "0", "", "", "", "Total", "O parametro Arquivo não pode ser nulo"},
        {"", "1", "011224", "011224", "", "PorData", "O parametro Arquivo não pode ser nulo"},
        {"f", "1", "1/12/2024", "01122024", "", "PorData",
         "Parametro invalido para a data inicial"},
        {"f", "1", "011224", "0112202", "", "PorData", "Parametro invalido para a data final"},
        {"f", "1", "311124", "010125", "", "PorData", "Data inicial invalida"},
        {"f", "1", "01122024", "320125", "", "PorData", "Data final invalida"},
        {"f", "2", "1234567", "9", "1", "PorCOO", "Parametro invalido para COOInicial 1234567"},
        {"f", "2", "1", "9a", "1", "PorCOO", "Parametro invalido para COOFinal 9a"},
        {"f", "2", "1", "9", nullptr, "PorCOO", "O usuario não pode ser nulo"},
        {"f", "2", "1", "9", "1000", "PorCOO", "Parametro invalido para o usuario 1000"},
    };
    const auto afterParameters = [this] {
        const std::string log = workLog();
        return log.substr(log.find("\r\r\n", log.find("Par")) + 3);
    };
    for (const auto& c : cases) {
        clearLog();
        EXPECT_EQ(Quelmar_FI_DownloadMFD(c.file, c.kind, c.first, c.last, c.user), -2);
        const std::string name = "Quelmar_FI_DownloadMFD" + c.operation;
        const Lines lines = c.operation.empty()
                                ? Lines{"Retorno " + name + ": -2 - " + c.message}
                                : Lines{name + " ", "Retorno " + name + ": -2 - " + c.message,
                                        "Retorno Quelmar_FI_DownloadMFD: -2"};
        EXPECT_EQ(afterParameters(), logLines(lines));
    }
    clearLog();
    EXPECT_EQ(Quelmar_FI_DownloadMF(""), -2);
    EXPECT_EQ(
        afterParameters(),
        logLines({"Retorno Quelmar_FI_DownloadMF: -2 - O parametro Arquivo não pode ser nulo"}));
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

    // A refused journal phase: 0 at once, the file closed with the fiscal memory in it.
    clearLog();
    const std::uint64_t before = platform.slept();
    EXPECT_EQ(Quelmar_FI_DownloadMFD(f.c_str(), "2", "7", "9", "1"), 0);
    EXPECT_LT(platform.slept() - before, 5000u);
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
    EXPECT_EQ(Quelmar_FI_FormatoDadosMFD("a", "b", "0", "1", "x", "y", "z"), 1);
    EXPECT_EQ(readFile(workDir() + "/Quelfi32.cmd"), "244|a|b|0|1|x|y|z|");
    EXPECT_EQ(Quelmar_FI_GeraRelatorioSintegraMFD(1, "a", "b", "1", "2025", "L", "R", "1", "", "",
                                                  "C", "80000000", "41", "", ""),
              1);
    EXPECT_EQ(readFile(workDir() + "/Quelfi32.cmd"), "249|1|a|b|1|2025|L|R|1|||C|80000000|41|||");
    EXPECT_EQ(peer.written, "");
}

}  // namespace
}  // namespace quelfi::test
