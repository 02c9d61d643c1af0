// "quelfi config [INI]": loads a configuration file as the library does and shows what it set.
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "core/printer_state.h"
#include "exports/boundary.h"
#include "quelfi/commands.h"

namespace quelfi::tool {

int configCommand(const std::vector<std::string>& args) {
    namespace fs = std::filesystem;
    if (!args.empty()) {
        const fs::path ini = fs::absolute(args[0]);
        if (!fs::exists(ini)) {
            std::cerr << "quelfi: no such file: " << args[0] << '\n';
            return 2;
        }
        ::setenv("QUELFI_SYSTEM_DIR", ini.parent_path().c_str(), 1);
        if (ini.filename() != "QuelFI32.ini") {
            std::cerr << "quelfi: the configuration file must be named QuelFI32.ini\n";
            return 2;
        }
    }
    exports::libraryLoad();
    const core::PrinterState& s = core::state();
    auto row = [](const char* label, const std::string& value) {
        std::cout << "  " << label << std::string(22 - std::string(label).size(), ' ') << value
                  << '\n';
    };
    auto flag = [](bool on) { return std::string(on ? "on" : "off"); };
    std::cout << "Configuration read from " << s.iniFilePath << "\n";
    row("port", s.portName.empty() ? "(none)" : s.portName);
    row("printer model", s.printerModel);
    row("printer type", std::to_string(s.printerType));
    row("call log", flag(s.logEnabled));
    row("status file", flag(s.statusToFile) + "  " + s.statusFilePath);
    row("answers to file", flag(s.answerToFile) + "  " + s.answerFilePath);
    row("close after command", flag(s.closeAfterCommand));
    row("status in result", flag(s.statusInReturnCode));
    row("network mode", std::to_string(s.networkMode));
    row("emulator files", flag(s.emulatorMode));
    row("reduction time-out", std::to_string(s.reductionTimeout) + " s");
    return 0;
}

}  // namespace quelfi::tool
