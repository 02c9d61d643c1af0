#include "core/port_connection.h"

#include <cctype>

#include "core/call_log.h"
#include "core/config.h"
#include "core/printer_state.h"

namespace quelfi::core {
namespace {

const char* const kOpenName = "Quelmar_FI_AbrePortaSerial";
const char* const kOpened = "Retorno Quelmar_FI_AbrePortaSerial: 1";
const char* const kCaption = "IniPortaStr ( )";

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// "COMn" and "DEFAULT" are names of the library and are upper-cased; any other name is a device
// path that the system may distinguish by case, so it is kept as written.
std::string normalisedPortName(const std::string& name) {
    const std::string up = upper(name);
    if (up == "DEFAULT") return up;
    if (up.size() > 3 && up.compare(0, 3, "COM") == 0 &&
        up.find_first_not_of("0123456789", 3) == std::string::npos)
        return up;
    return name;
}

int openEmulator() {
    PrinterState& s = state();
    s.port.reset();
    platform::EmulatorOpenError error;
    s.port = s.platform->openEmulatorFiles("c:\\comando.dat", "c:\\retorno.dat", error);
    if (s.port) {
        logText(kOpened);
        return 1;
    }
    s.lastOpenError = error.systemError;
    const std::string text = error.systemError == 5
                                 ? std::string("Error 5: Access Denied!")
                                 : "CreateFile()== INVALID_HANDLE_VALUE!\nGetLastError ( ) = " +
                                       std::to_string(error.systemError);
    s.platform->prompt(kCaption, text, platform::PromptStyle::Exclamation);
    logText(error.replyFile
                ? "Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a arquivo leitura do "
                  "Emulador"
                : "Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a arquivo comando p/ o "
                  "Emulador");
    return -5;
}

void logHeader() {
    const PrinterState& s = state();
    if (s.nestedCall == 0) logLine(kSeparator, 0, " ");
    logLine(kOpenName, 0, " ");
    logLine("Par\xE2metro: ", 0, s.portName);
}

}  // namespace

bool openSerialByName(const std::string& name) {
    PrinterState& s = state();
    s.port.reset();
    s.portOpen = 0;
    int error = 0;
    s.port = s.platform->openSerialPort(name, error);
    if (!s.port) {
        s.lastOpenError = error;
        return false;
    }
    s.portOpen = 1;
    return true;
}

int finishOpened() {
    logText(kOpened);
    return 1;
}

int openNothing() {
    logHeader();
    return finishOpened();
}

int openPort(const OpeningSteps& steps) {
    PrinterState& s = state();
    logHeader();
    if (s.portOpen == 1) return finishOpened();

    if (s.useLocalIni && !s.localIniLoaded) {
        loadConfiguration();
        s.localIniLoaded = true;
    }

    if (s.emulatorMode) return openEmulator();

    if (s.portName.empty()) {
        logText(
            "Retorno  Quelmar_FI_AbrePortaSerial: -4 - Arquivo QuelFI32.ini nao encontrado ou "
            "parametro invalido");
        return -4;
    }
    s.portName = normalisedPortName(s.portName);
    if (s.portName == "DEFAULT") return steps.searchPorts();
    if (s.requestedPort >= 0 && s.requestedPort <= 9)
        s.portName = "COM" + std::to_string(s.requestedPort + 1);

    if (!openSerialByName(s.portName)) {
        logText("Retorno Quelmar_FI_AbrePortaSerial: -5 - Erro ao abrir a porta");
        return -5;
    }
    return steps.afterOpened();
}

int closePort() {
    PrinterState& s = state();
    if (s.nestedCall == 0) logLine(kSeparator, 0, " ");
    logText("Quelmar_FI_FechaPortaSerial ");
    if (s.portOpen != 0) s.port.reset();
    s.portOpen = 0;
    logText("Retorno Quelmar_FI_FechaPortaSerial: 1");
    return 1;
}

}  // namespace quelfi::core
