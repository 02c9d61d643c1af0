// Opening and closing the printer port: by name, by index, the failures and their log lines, the
// emulator's files; the presence check and the search of COM1 to COM8 for a port where a printer
// answers, with the INI and the bytes on each line.
#include <semaphore.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "core/printer_state.h"
#include "fiscal/queries.h"
#include "platform/platform.h"
#include "protocol_fixture.h"
#include "quelfi32.h"
#include "support/library_fixture.h"
#include "support/pseudo_terminal.h"

namespace quelfi::test {
namespace {

using core::state;

class PortConnectionTest : public LibraryTest {};

TEST_F(PortConnectionTest, PortThatDoesNotOpenGivesMinusFive) {
    configure("Porta=com5\n");
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), -5);
    EXPECT_EQ(state().portName, "COM5");
    EXPECT_EQ(state().portOpen, 0);
    EXPECT_NE(state().lastOpenError, 0);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: com5",
                        "Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a porta"}));
}

TEST_F(PortConnectionTest, EmptyPortNameGivesMinusFour) {
    configure();
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), -4);
    EXPECT_EQ(Quelmar_FI_AbrePorta(2), -4);
    const std::vector<std::string> missing{kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: 0",
                                           "Retorno  Quelmar_FI_AbrePortaSerial: -4 - Arquivo "
                                           "QuelFI32.ini nao encontrado ou parametro invalido"};
    EXPECT_EQ(workLog(), logLines(missing + missing));
}

TEST_F(PortConnectionTest, IndexSelectsComPortThroughThePortDirectory) {
    PseudoTerminal printer;
    printer.linkAs(portDir() + "/COM3");
    configure("Porta=COM1\n");
    EXPECT_EQ(Quelmar_FI_AbrePorta(2), 1);
    EXPECT_EQ(state().portName, "COM3");
    EXPECT_EQ(state().portOpen, 1);
    EXPECT_EQ(state().requestedPort, 2);

    // A second opening while open answers at once.
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(Quelmar_FI_FechaPortaSerial(), 1);
    EXPECT_EQ(state().portOpen, 0);
    EXPECT_EQ(Quelmar_FI_FechaPortaSerial(), 1);  // closing a closed port is fine
    EXPECT_EQ(
        workLog(),
        logLines({kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: COM1",
                  "Retorno Quelmar_FI_AbrePortaSerial: 1", kSep, "Quelmar_FI_AbrePortaSerial ",
                  "Parâmetro: COM3", "Retorno Quelmar_FI_AbrePortaSerial: 1", kSep,
                  "Quelmar_FI_FechaPortaSerial ", "Retorno Quelmar_FI_FechaPortaSerial: 1", kSep,
                  "Quelmar_FI_FechaPortaSerial ", "Retorno Quelmar_FI_FechaPortaSerial: 1"}));
}

TEST_F(PortConnectionTest, OtherWaysToNameThePort) {
    // Index 100 takes the configured name; a device path keeps its case.
    PseudoTerminal printer;
    printer.linkAs(portDir() + "/COM2");
    configure("Porta=com2\n");
    EXPECT_EQ(Quelmar_FI_AbrePorta(100), 1);
    EXPECT_EQ(state().portName, "COM2");
    Quelmar_FI_FechaPortaSerial();
    configure("Porta=" + printer.devicePath() + "\n");
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(state().portName, printer.devicePath());
    Quelmar_FI_FechaPortaSerial();

    // A network client never opens a port.
    configure("ConfigRede=1\nPorta=COM9\n");
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(state().portOpen, 0);
    EXPECT_EQ(state().port, nullptr);
}

TEST_F(PortConnectionTest, EmulatorFilesAreCreatedOnDriveC) {
    configure("EmulMFD=1\nPorta=COM1\n");
    writeFile(driveC() + "/retorno.dat", "kept");
    // The busy test opens them like any command; the emulator is never busy.
    EXPECT_EQ(Quelmar_FI_ItsBusy(), 0);
    EXPECT_TRUE(fileExists(driveC() + "/comando.dat"));
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: COM1",
                                   "Retorno Quelmar_FI_AbrePortaSerial: 1"}));
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(state().portOpen, 0);  // reopened for every command
    EXPECT_EQ(readFile(driveC() + "/retorno.dat"), "kept");

    const std::uint8_t bytes[] = {'a', 'b'};
    EXPECT_EQ(state().port->write(bytes, 2), 2);
    state().port->flush();
    EXPECT_EQ(readFile(driveC() + "/comando.dat"), "ab");
    std::uint8_t byte = 0;
    EXPECT_TRUE(state().port->readByte(byte));
    EXPECT_EQ(byte, 'k');
    state().port->clearReply();
    EXPECT_EQ(readFile(driveC() + "/retorno.dat"), "");
}

TEST_F(PortConnectionTest, EmulatorFileFailureShowsAMessageAndGivesMinusFive) {
    configure("EmulMFD=1\n");
    for (const char* file : {"comando", "retorno"}) {
        SCOPED_TRACE(file);
        std::filesystem::remove(driveC() + "/comando.dat");
        std::filesystem::create_directory(driveC() + "/" + file + ".dat");  // cannot be opened
        clearLog();
        platform.prompts.clear();
        EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), -5);
        ASSERT_EQ(platform.prompts.size(), 1u);
        EXPECT_EQ(platform.prompts[0].caption, "IniPortaStr ( )");
        EXPECT_EQ(platform.prompts[0].text.rfind(
                      "CreateFile()== INVALID_HANDLE_VALUE!\nGetLastError ( ) = ", 0),
                  0u);
        EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: 0",
                                       "Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a " +
                                           std::string(file[0] == 'c' ? "arquivo comando p/ o"
                                                                      : "arquivo leitura do") +
                                           " Emulador"}));
    }
}

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
