// quelfi: the command-line companion of the library.
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "quelfi/commands.h"

namespace {

const char* const kUsage =
    "usage: quelfi COMMAND [ARGUMENTS]\n"
    "  config [INI]   load a QuelFI32.ini as the library does and show what it set\n"
    "  driver DIR     serve the network requests that clients leave in DIR, on the printer of\n"
    "                 this machine's QuelFI32.ini, until interrupted\n"
    "  demo           show the configuration of the sample INI\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace quelfi::tool;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "config") return configCommand(args);
    if (command == "driver") return driverCommand(args);
    if (command == "demo") return configCommand({QUELFI_SOURCE_DIR "/examples/QuelFI32.ini"});
    std::cerr << "quelfi: unknown command '" << command << "'\n" << kUsage;
    return 2;
}
