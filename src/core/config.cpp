#include "core/config.h"

#include <cctype>

#include "core/call_log.h"
#include "core/printer_state.h"
#include "platform/platform.h"

namespace quelfi::core {
namespace {

// Working buffers of the configuration read: the directory, and the flag keys.
constexpr std::size_t kPathCapacity = 80;
constexpr std::size_t kFlagCapacity = 9;

const char* const kLocalIni = ".\\QuelFI32.ini";

bool endsWithIni(const std::string& path) {
    if (path.size() < 3) return false;
    std::string tail = path.substr(path.size() - 3);
    for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return tail == "INI";
}

bool endsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// Minutes of the TimeOutZ key as seconds: 1 to 99 minutes, otherwise three minutes.
int reductionSeconds(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long n = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && n < 1000)
        n = n * 10 + (text[i++] - '0');
    if (negative) n = -n;
    if (n >= 100 || n <= 0) return 180;
    return static_cast<int>(n) * 60;
}

void logValue(const char* label, const std::string& value) {
    logLine(label, 0, value);
}

// The configuration file the reads go to.
const std::string& iniFile() {
    PrinterState& s = state();
    if (s.iniFilePath.empty() || !endsWithIni(s.iniFilePath))
        s.iniFilePath = s.useLocalIni ? kLocalIni : platform::systemDirectory() + "\\QuelFI32.Ini";
    return s.iniFilePath;
}

}  // namespace

void readIniValue(const std::string& section, const std::string& key, std::string& buffer,
                  std::size_t capacity) {
    std::string text;
    if (auto value = platform::readProfileString(iniFile(), section, key)) {
        text = *value;
    } else {
        // The profile service hands back the default without its trailing blanks.
        text = buffer;
        while (!text.empty() && text.back() == ' ') text.pop_back();
    }
    if (text.size() > kIniValueMax) text.resize(kIniValueMax);
    if (text.empty()) return;
    text = text.substr(0, text.find(';'));
    if (text.size() > capacity) text.resize(capacity);
    buffer = text;
}

std::string readIniText(const std::string& section, const std::string& key) {
    return platform::readProfileString(iniFile(), section, key).value_or("");
}

bool writeIniValue(const std::string& section, const std::string& key, const std::string& value) {
    return platform::writeProfileString(state().iniFilePath, section, key, value);
}

void loadConfiguration() {
    PrinterState& s = state();
    s.iniFilePath = s.useLocalIni ? kLocalIni : platform::systemDirectory() + "\\QuelFI32.ini";

    std::string path;
    readIniValue("Sistema", "path", path, kPathCapacity);
    if (path.empty()) {
        s.statusFilePath = "Status.txt";
        s.answerFilePath = "Retorno.txt";
    } else {
        const std::string dir = endsWithSeparator(path) ? path : path + "\\";
        s.statusFilePath = dir + "Status.txt";
        s.answerFilePath = dir + "Retorno.txt";
    }

    // Two working buffers are reused, so a missing key inherits the text read just before it.
    std::string first;
    readIniValue("Sistema", "Log", first, kFlagCapacity);
    s.logEnabled = first == "1";
    if (s.nestedCall == 0) logLine(kSeparator, 0, " ");
    logLine("Quelmar_FI_LeInformacoesConfiguracao", 0, " ");
    logValue("path: ", path);
    logValue("Log: ", first);

    readIniValue("Sistema", "Status", first, kFlagCapacity);
    s.statusToFile = first == "1";
    logValue("Status: ", first);

    first.clear();
    readIniValue("Sistema", "Retorno", first, kFlagCapacity);
    s.answerToFile = first == "1";
    logValue("Retorno: ", first);

    readIniValue("Sistema", "ControlePorta", first, kFlagCapacity);
    s.closeAfterCommand = first == "1";
    logValue("ControlePorta: ", first);

    readIniValue("Sistema", "StatusFuncao", first, kFlagCapacity);
    s.statusInReturnCode = first == "1";
    logValue("StatusFuncao: ", first);

    readIniValue("Sistema", "ModeloImp", first, kFlagCapacity);
    std::string model = first;
    for (char& c : model) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    s.printerModel = model == "YANCO" ? "YANCO" : "QUELMAR";
    logValue("ModeloImp: ", first);

    // The second buffer starts out holding the last character of the directory.
    std::string second = path.empty() ? std::string() : path.substr(path.size() - 1);
    readIniValue("Sistema", "ConfigRede", second, kFlagCapacity);
    s.networkMode = second == "1" ? 1 : second == "2" ? 2 : 0;
    logValue("ConfigRede: ", second);

    readIniValue("Sistema", "ModoGaveta", second, kFlagCapacity);
    s.drawerMode = second == "1";
    logValue("ModoGaveta: ", second);

    if (s.printerModel == "QUELMAR") {
        second.clear();
        readIniValue("Sistema", "EmulMFD", second, kFlagCapacity);
        s.emulatorMode = second == "1";
    }
    logValue("EmulMFD: ", second);

    first.clear();
    readIniValue("Sistema", "StatusCheque", first, kFlagCapacity);
    s.chequeStatusIbm = first == "IBM";
    logValue("StatusCheque: ", first);

    readIniValue("Sistema", "Porta", s.portName);
    logValue("Porta: ", s.portName);

    second.clear();
    readIniValue("MFD", "StatusErro", second, kFlagCapacity);
    s.statusErroMode = second == "1";
    logValue("StatusErro: ", second);

    second.clear();
    readIniValue("MFD", "TimeOutZ", second, kFlagCapacity);
    s.reductionTimeout = reductionSeconds(second);

    readIniValue("MFD", "Impressora", second, kFlagCapacity);
    s.printerType = second == "1" ? 1 : second == "2" ? 2 : 0;
    logValue("Impressora: ", second);

    logLine("Retorno Quelmar_FI_LeInformacoesConfiguracao: ", 0, " ");
}

int selectLocalIni() {
    PrinterState& s = state();
    if (s.useLocalIni) return 1;
    s.useLocalIni = true;
    s.localIniLoaded = false;
    if (s.nestedCall == 0) logLine(kSeparator, 0, " ");
    loadConfiguration();
    logText("Quelmar_FI_SelecionaIniLocal: arquivo ini no diret\xF3rio corrente");
    return 1;
}

void onLibraryLoad() {
    loadConfiguration();
    state().firmwareVersion.clear();
}

void onLibraryUnload() {
    PrinterState& s = state();
    s.port.reset();
    s.portOpen = 0;
}

}  // namespace quelfi::core
