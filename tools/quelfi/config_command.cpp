// "quelfi config [INI]": loads a configuration file as the library does and shows what it set.
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "exports/boundary.h"
#include "exports/host.h"
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
    const exports::host::Configuration c = exports::host::configuration();
    auto row = [](const char* label, const std::string& value) {
        std::cout << "  " << label << std::string(22 - std::string(label).size(), ' ') << value
                  << '\n';
    };
    auto flag = [](bool on) { return std::string(on ? "on" : "off"); };
    std::cout << "Configuration read from " << c.iniFile << "\n";
    row("port", c.port.empty() ? "(none)" : c.port);
    row("printer model", c.printerModel);
    row("printer type", std::to_string(c.printerType));
    row("call log", flag(c.callLog));
    row("status file", flag(c.statusToFile) + "  " + c.statusFile);
    row("answers to file", flag(c.answersToFile) + "  " + c.answerFile);
    row("close after command", flag(c.closeAfterCommand));
    row("status in result", flag(c.statusInResult));
    row("network mode", std::to_string(c.networkMode));
    row("emulator files", flag(c.emulatorFiles));
    row("reduction time-out", std::to_string(c.reductionSeconds) + " s");
    return 0;
}

}  // namespace quelfi::tool
