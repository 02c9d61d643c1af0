// Opening and closing the printer port: by name, by index, the failures and their log lines, and
// the emulator's files.
#include <semaphore.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/printer_state.h"
#include "quelfi32.h"
#include "support/library_fixture.h"
#include "support/pseudo_terminal.h"

namespace quelfi::test {
namespace {

using core::state;

const std::string kSep = std::string(71, '-') + " ";

class PortConnectionTest : public LibraryTest {
  protected:
    // Loads an INI with the log in the work directory and the given keys, then starts a fresh
    // log so each test compares only its own lines.
    void configure(const std::string& keys) {
        writeIni("[Sistema]\npath=" + workDir() + "\nLog=1\n" + keys);
        load();
        std::filesystem::remove(workDir() + "/QuelFI32.log");
    }
};

TEST_F(PortConnectionTest, EmptyPortNameGivesMinusFour) {
    configure("");
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), -4);
    EXPECT_EQ(Quelmar_FI_AbrePorta(2), -4);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: 0",
                        "Retorno  Quelmar_FI_AbrePortaSerial: -4 - Arquivo QuelFI32.ini nao "
                        "encontrado ou parametro invalido",
                        kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: 0",
                        "Retorno  Quelmar_FI_AbrePortaSerial: -4 - Arquivo QuelFI32.ini nao "
                        "encontrado ou parametro invalido"}));
}

TEST_F(PortConnectionTest, PortThatDoesNotOpenGivesMinusFive) {
    configure("Porta=com5\n");
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), -5);
    EXPECT_EQ(state().portName, "COM5");
    EXPECT_EQ(state().portOpen, 0);
    EXPECT_NE(state().lastOpenError, 0);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: com5",
                                   "Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a "
                                   "porta"}));
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

    // The bytes written reach the other side of the line.
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    const std::uint8_t frame[] = {0x02, 0x04, 0x00, 0x1B, 0x13, 0x2E, 0x00};
    EXPECT_EQ(state().port->write(frame, sizeof frame), 7);
    EXPECT_EQ(printer.read(7), std::string(reinterpret_cast<const char*>(frame), 7));
    printer.write("\x06");
    std::uint8_t byte = 0;
    EXPECT_TRUE(state().port->readByte(byte));
    EXPECT_EQ(byte, 0x06);
    EXPECT_FALSE(state().port->readByte(byte));  // nothing more: gives up after ~200 ms
    EXPECT_TRUE(state().port->ctsOn());          // no modem lines on a pseudo-terminal
}

TEST_F(PortConnectionTest, IndexOneHundredUsesTheConfiguredNameAndDevicePathsKeepTheirCase) {
    PseudoTerminal printer;
    printer.linkAs(portDir() + "/COM2");
    configure("Porta=com2\n");
    EXPECT_EQ(Quelmar_FI_AbrePorta(100), 1);
    EXPECT_EQ(state().portName, "COM2");
    Quelmar_FI_FechaPortaSerial();

    configure("Porta=" + printer.devicePath() + "\n");
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(state().portName, printer.devicePath());
}

TEST_F(PortConnectionTest, NetworkClientNeverOpensAPort) {
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
    std::filesystem::create_directory(driveC() + "/comando.dat/");  // a directory: cannot open
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), -5);
    ASSERT_EQ(platform.prompts.size(), 1u);
    EXPECT_EQ(platform.prompts[0].caption, "IniPortaStr ( )");
    EXPECT_EQ(platform.prompts[0].text.rfind(
                  "CreateFile()== INVALID_HANDLE_VALUE!\nGetLastError ( ) = ", 0),
              0u);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: 0",
                                   "Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a "
                                   "arquivo comando p/ o Emulador"}));

    std::filesystem::remove(driveC() + "/comando.dat");
    std::filesystem::create_directory(driveC() + "/retorno.dat");
    std::filesystem::remove(workDir() + "/QuelFI32.log");
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), -5);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: 0",
                                   "Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a "
                                   "arquivo leitura do Emulador"}));
}

}  // namespace
}  // namespace quelfi::test
