// quelfi: the command-line companion of the library.
#include <iostream>
#include <string>
#include <vector>

#include "quelfi/commands.h"

namespace {

const char* const kUsage =
    "usage: quelfi COMMAND [ARGUMENTS]\n"
    "  demo [--mfd | --restaurant | --yanco] [--dir DIR]\n"
    "                            run a whole fiscal day (--restaurant: a restaurant's evening)\n"
    "                            against the virtual printer (--mfd: with an electronic journal;\n"
    "                            --yanco: the Yanco one)\n"
    "  call [--port DEVICE] EXPORT [ARGUMENT...]\n"
    "                            call one export of the library and show its answers and result\n"
    "  exports                   list every export with its arguments and request record\n"
    "  sim [OPTIONS]             run the virtual Quelmar printer (--yanco: the Yanco one) until\n"
    "                            interrupted (quelfi sim --help lists its options)\n"
    "  config [INI]              load a QuelFI32.ini as the library does and show what it set\n"
    "  driver DIR                serve the network requests that clients leave in DIR, on the\n"
    "                            printer of this machine's QuelFI32.ini, until interrupted\n"
    "  tef [OPTIONS] REQ_DIR [RESP_DIR]\n"
    "                            run the virtual TEF manager on those directories until\n"
    "                            interrupted (quelfi tef --help lists its options)\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace quelfi::tool;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    if (args.front() == "--help" || args.front() == "help") {
        std::cout << kUsage;
        return 0;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    try {
        if (command == "call") return callCommand(args);
        if (command == "exports") return exportsCommand(args);
        if (command == "sim") return simCommand(args);
        if (command == "demo") return demoCommand(args);
        if (command == "config") return configCommand(args);
        if (command == "driver") return driverCommand(args);
        if (command == "tef") return tefCommand(args);
    } catch (const std::exception& e) {
        // A file system refusing a directory or a file: said plainly, not as an abort.
        std::cerr << "quelfi " << command << ": " << e.what() << '\n';
        return 1;
    }
    std::cerr << "quelfi: unknown command '" << command << "'\n" << kUsage;
    return 2;
}
