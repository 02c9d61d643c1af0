// "quelfi tef REQ_DIR [RESP_DIR]": the virtual TEF manager, serving the card and cheque requests a
// point of sale leaves in REQ_DIR and answering in RESP_DIR (REQ_DIR when not given), until it is
// interrupted (SIGINT) or asked to stop (SIGTERM). Options make it misbehave on purpose.
#include <signal.h>
#include <time.h>

#include <chrono>
#include <filesystem>
#include <iostream>

#include "quelfi/commands.h"
#include "quelfi/terminal.h"
#include "sim/tef/tef_manager.h"

namespace quelfi::tool {

namespace {

namespace fs = std::filesystem;

const char* const kUsage =
    "usage: quelfi tef [OPTIONS] REQ_DIR [RESP_DIR]\n"
    "  --network NAME   the card network of the approvals (REDECARD; VISANET, AMEX, HCARD...)\n"
    "  --slow MS        answer MS milliseconds after acknowledging\n"
    "  --silent         acknowledge, never answer\n"
    "  --refuse         refuse every sale (amounts ending in 99 centavos are always refused)\n"
    "  --cancel         the operator cancels every sale at the PIN pad\n"
    "  --wrong-id       acknowledge and answer for another identification\n"
    "  --stale          leave an earlier transaction's response before each answer\n"
    "  --no-activity    do not keep Ativo.001 (the point of sale asks with ATV)\n";

// Pause between two looks at the request directory.
constexpr long kPollNanoseconds = 10'000'000;

bool parse(const std::vector<std::string>& args, sim::tef::Behaviour& behaviour,
           std::vector<std::string>& directories) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--network" && hasValue) {
            behaviour.network = args[++i];
        } else if (a == "--slow" && hasValue) {
            try {
                behaviour.answerDelayMs = static_cast<std::uint32_t>(std::stoul(args[++i]));
            } catch (const std::exception&) {
                return false;
            }
        } else if (a == "--silent") {
            behaviour.neverAnswer = true;
        } else if (a == "--refuse") {
            behaviour.refuse = true;
        } else if (a == "--cancel") {
            behaviour.operatorCancels = true;
        } else if (a == "--wrong-id") {
            behaviour.wrongIdentification = true;
        } else if (a == "--stale") {
            behaviour.staleResponse = true;
        } else if (a == "--no-activity") {
            behaviour.showActivity = false;
        } else if (!a.empty() && a[0] == '-') {
            return false;
        } else {
            directories.push_back(a);
        }
    }
    return directories.size() == 1 || directories.size() == 2;
}

std::uint64_t steadyMs() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

int tefCommand(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    sim::tef::Behaviour behaviour;
    std::vector<std::string> directories;
    if (!parse(args, behaviour, directories)) {
        std::cerr << kUsage;
        return 2;
    }
    if (directories.size() == 1) directories.push_back(directories[0]);
    for (const std::string& directory : directories) {
        if (!fs::is_directory(directory)) {
            std::cerr << "quelfi: no such directory: " << directory << '\n';
            return 2;
        }
    }
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);

    const Styler style = Styler::forStandardOutput();
    std::vector<std::vector<std::string>> rows;
    {
        sim::tef::TefManager manager(directories[0], directories[1], behaviour);
        std::cout << "quelfi tef: requests in " << directories[0] << ", answers in "
                  << directories[1] << '\n'
                  << std::flush;
        const timespec pause{0, kPollNanoseconds};
        for (;;) {
            for (const std::string& done : manager.serve(steadyMs()))
                std::cout << done << '\n' << std::flush;
            const int signal = sigtimedwait(&stops, nullptr, &pause);
            if (signal == SIGINT || signal == SIGTERM) break;
        }
        for (const sim::tef::Transaction& t : manager.transactions())
            rows.push_back({t.operation, t.identification, "NSU " + t.nsu, t.network, t.amount,
                            sim::tef::stateName(t.state)});
    }
    std::cout << style.paint(Colour::Bold, "quelfi tef: stopped") << '\n';
    for (const std::string& line : alignColumns(rows)) std::cout << "  " << line << '\n';
    return 0;
}

}  // namespace quelfi::tool
