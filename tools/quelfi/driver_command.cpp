// "quelfi driver DIRECTORY": the network-driver program. It owns the printer configured in this
// machine's QuelFI32.ini and serves the requests that client workstations leave in DIRECTORY,
// until it is interrupted (SIGINT) or asked to stop (SIGTERM).
#include <signal.h>
#include <time.h>

#include <filesystem>
#include <iostream>

#include "exports/boundary.h"
#include "quelfi/commands.h"
#include "quelfi/network_driver.h"

namespace quelfi::tool {

namespace {

// Pause between two looks at the command file: quick answers, an idle processor.
constexpr long kPollNanoseconds = 25'000'000;

// Requests may contain control bytes (a raw request's prefix and separators): show them as hex.
std::string printable(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F) {
            out += c;
        } else {
            out += '<';
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
            out += '>';
        }
    }
    return out;
}

}  // namespace

int driverCommand(const std::vector<std::string>& args) {
    namespace fs = std::filesystem;
    if (args.size() != 1) {
        std::cerr << "usage: quelfi driver DIRECTORY\n";
        return 2;
    }
    const fs::path directory = args[0];
    if (!fs::is_directory(directory)) {
        std::cerr << "quelfi: no such directory: " << args[0] << '\n';
        return 2;
    }
    // The stop signals are taken between two looks, never in the middle of a printer command.
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);

    enterDriverMode();
    NetworkDriver driver(directory);
    std::cout << "quelfi driver: serving requests in " << directory.string() << '\n' << std::flush;
    const timespec pause{0, kPollNanoseconds};
    for (;;) {
        if (const auto served = driver.serveOnce()) {
            std::cout << printable(served->request) << " -> " << served->answer.status << '\n'
                      << std::flush;
        }
        const int signal = sigtimedwait(&stops, nullptr, &pause);
        if (signal == SIGINT || signal == SIGTERM) break;
    }
    exports::libraryUnload();
    std::cout << "quelfi driver: stopped\n";
    return 0;
}

}  // namespace quelfi::tool
