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

    // "default" asks for the search of the ports, which is not there without the presence check.
    configure("Porta=default\n");
    state().seams.searchPorts = nullptr;
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), -5);
    EXPECT_EQ(state().portName, "DEFAULT");
    int searched = 0;
    state().seams.searchPorts = [&] { return ++searched; };
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(searched, 1);

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

TEST_F(PortConnectionTest, YancoStartOfDayRunsOncePerDay) {
    PseudoTerminal printer;
    printer.linkAs(portDir() + "/COM1");
    configure("ModeloImp=YANCO\nPorta=COM1\n");
    int sent = 0;
    state().seams.yancoStartOfDay = [&](int& st2) {
        ++sent;
        st2 = 0;
        return true;
    };
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(sent, 1);
    EXPECT_TRUE(state().dayOpenDone);
    EXPECT_EQ(ini(), configuredIni() + "[Config]\nInicioDia=1\n");
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: COM1",
                        "Executando a abertura do dia", "Abertura do dia executada com sucesso",
                        "Retorno Quelmar_FI_AbrePortaSerial: 1"}));
    Quelmar_FI_FechaPortaSerial();
    state().dayOpenDone = false;  // a new process: the INI says the day is open
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 1);
    EXPECT_EQ(sent, 1);

    Quelmar_FI_FechaPortaSerial();
    configure("ModeloImp=YANCO\nPorta=COM1\n");
    state().dayOpenDone = false;
    state().seams.yancoStartOfDay = [](int&) { return false; };
    EXPECT_EQ(Quelmar_FI_AbrePortaSerial(), 0);
    EXPECT_EQ(state().portOpen, 1);  // the port stays open
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: COM1",
                                   "Executando a abertura do dia",
                                   "Retorno Quelmar_FI_AbrePortaSerial: 0 - Erro de comunicação "
                                   "ao enviar o comando de inicio do dia"}));
}

}  // namespace
}  // namespace quelfi::test
