// The presence check and the search of COM1 to COM8 for a port where a printer answers, as a
// point-of-sale program sees them: results, the call log, the INI and the bytes on each line.
#include <filesystem>
#include <map>

#include "platform/platform.h"
#include "protocol_fixture.h"
#include "quelfi32.h"

namespace quelfi::test {
namespace {

using core::state;

const std::string kStatusFrame = frameOf("\x1B\x13");
const std::string kProbe = "Quelmar_FI_VerificaImpressoraLigada ";
const std::string kProbeOff =
    "Retorno Quelmar_FI_VerificaImpressoraLigada: -6 - Impressora desligada ou desconectada";

class PresenceTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        platform.useVirtualClock(true);
    }
    // A scripted line behind a COM name; `opens` counts how often the library opened it.
    std::shared_ptr<ScriptedLine> plug(const std::string& name) {
        auto line = std::make_shared<ScriptedLine>();
        platform.plugPort(name, [this, name, line] {
            ++opens[name];
            return std::make_unique<ScriptedPort>(line);
        });
        return line;
    }
    std::string configuredPort() const {
        return platform::readProfileString(systemDir() + "/QuelFI32.ini", "Sistema", "Porta")
            .value_or("(none)");
    }
    std::map<std::string, int> opens;
};

TEST_F(PresenceTest, AnyAnswerMeansThePrinterIsOn) {
    auto line = plug("COM1");
    configure("Porta=COM1\nStatusFuncao=1\n");
    // A printer reporting an error still answers: the status bytes are not judged.
    line->reply(bytes({6, 16, 1}));
    EXPECT_EQ(Quelmar_FI_VerificaImpressoraLigada(), 1);
    EXPECT_EQ(line->written, kStatusFrame);
    EXPECT_EQ(state().probeMode, 0);
    // A refusal is an answer too.
    line->reply(bytes({21}));
    EXPECT_EQ(Quelmar_FI_VerificaImpressoraLigada(), 1);
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_VerificaImpressoraLigada ", kSep, "Quelmar_FI_AbrePortaSerial ",
                  "Parâmetro: COM1", "Retorno Quelmar_FI_AbrePortaSerial: 1",
                  "Retorno Quelmar_FI_VerificaImpressoraLigada: 1 - Impressora ligada", kSep,
                  "Quelmar_FI_VerificaImpressoraLigada ",
                  "Retorno Quelmar_FI_VerificaImpressoraLigada: 1 - Impressora ligada"}));

    // A long journal operation's probe mode survives the check.
    state().probeMode = 2000;
    line->reply(kOk);
    EXPECT_EQ(Quelmar_FI_VerificaImpressoraLigada(), 1);
    EXPECT_EQ(state().probeMode, 2000);

    // A port that does not open: the opening's code and lines.
    Quelmar_FI_FechaPortaSerial();
    configure("Porta=COM5\n");
    EXPECT_EQ(Quelmar_FI_VerificaImpressoraLigada(), -5);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_VerificaImpressoraLigada ", kSep,
                                   "Quelmar_FI_AbrePortaSerial ", "Parâmetro: COM5",
                                   "Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a "
                                   "porta"}));
}

TEST_F(PresenceTest, SearchFindsThePrinterOnComThreeAndTheNextLoadOpensItDirectly) {
    auto com1 = plug("COM1"), com2 = plug("COM2"), com3 = plug("COM3");
    com3->reply(kOk);
    configure("Porta=default\n");
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(state().portName, "COM3");
    EXPECT_EQ(state().portOpen, 1);
    EXPECT_EQ(configuredPort(), "COM3");
    for (const auto& line : {com1, com2, com3}) EXPECT_EQ(line->written, kStatusFrame);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: default", kProbe,
                        kProbeOff, kProbe, kProbeOff, "Quelmar_FI_VerificaImpressoraLigada ",
                        "Retorno Quelmar_FI_VerificaImpressoraLigada: 1 - Impressora ligada",
                        "Retorno Quelmar_FI_AbrePortaSerial: 1"}));
    // The port found stays open for the next command.
    com3->reply(kOk);
    EXPECT_EQ(Quelmar_FI_VerificaImpressoraLigada(), 1);
    EXPECT_EQ(opens, (std::map<std::string, int>{{"COM1", 1}, {"COM2", 1}, {"COM3", 1}}));

    core::resetState();
    load();
    clearLog();
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(opens, (std::map<std::string, int>{{"COM1", 1}, {"COM2", 1}, {"COM3", 2}}));
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: COM3",
                                   "Retorno Quelmar_FI_AbrePortaSerial: 1"}));
}

TEST_F(PresenceTest, SearchWithPortControlReopensThePortFound) {
    plug("COM1"), plug("COM2");
    plug("COM3")->reply(kOk);
    configure("Porta=DEFAULT\nControlePorta=1\n");
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(state().portName, "COM3");
    EXPECT_EQ(state().portOpen, 1);
    EXPECT_EQ(configuredPort(), "COM3");
    EXPECT_EQ(opens, (std::map<std::string, int>{{"COM1", 1}, {"COM2", 1}, {"COM3", 2}}));
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: DEFAULT",
                        "Quelmar_FI_VerificaImpressoraLigada ", "Quelmar_FI_FechaPortaSerial ",
                        "Retorno Quelmar_FI_FechaPortaSerial: 1", kProbeOff,
                        "Quelmar_FI_VerificaImpressoraLigada ", "Quelmar_FI_FechaPortaSerial ",
                        "Retorno Quelmar_FI_FechaPortaSerial: 1", kProbeOff,
                        "Quelmar_FI_VerificaImpressoraLigada ", "Quelmar_FI_FechaPortaSerial ",
                        "Retorno Quelmar_FI_FechaPortaSerial: 1",
                        "Retorno Quelmar_FI_VerificaImpressoraLigada: 1 - Impressora ligada",
                        "Retorno Quelmar_FI_AbrePortaSerial: 1", "Quelmar_FI_AbrePortaSerial ",
                        "Parâmetro: COM3", "Retorno Quelmar_FI_AbrePortaSerial: 1"}));
}

TEST_F(PresenceTest, SearchOverEightSilentPortsFails) {
    std::vector<std::shared_ptr<ScriptedLine>> lines;
    for (int n = 1; n <= 9; ++n) lines.push_back(plug("COM" + std::to_string(n)));
    lines[8]->reply(kOk);  // COM9 is never searched
    configure("Porta=DEFAULT\n");
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), -5);
    EXPECT_EQ(state().portName, "COM8");
    EXPECT_EQ(state().portOpen, 0);
    EXPECT_EQ(state().port, nullptr);
    EXPECT_EQ(configuredPort(), "DEFAULT");
    for (int n = 0; n < 8; ++n) EXPECT_EQ(lines[n]->written, kStatusFrame) << "COM" << n + 1;
    EXPECT_EQ(opens.count("COM9"), 0u);
    std::vector<std::string> expected{kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: DEFAULT"};
    for (int n = 0; n < 8; ++n) expected = expected + std::vector<std::string>{kProbe, kProbeOff};
    expected.push_back("Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a porta");
    EXPECT_EQ(workLog(), logLines(expected));
}

TEST_F(PresenceTest, SearchSkipsPortsThatDoNotOpen) {
    auto com4 = plug("COM4");
    com4->reply(kOk);
    configure("Porta=DEFAULT\n");
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(configuredPort(), "COM4");
    EXPECT_EQ(opens, (std::map<std::string, int>{{"COM4", 1}}));
}

}  // namespace
}  // namespace quelfi::test
