// "quelfi sim": a virtual printer as a program of its own, the Quelmar one or (--yanco) the Yanco
// one. It serves a pseudo-terminal (the Quelmar printer also the emulator files), shows the paper
// as it prints, keeps its fiscal state in a file so a fiscal day can span several runs, and stops
// on Ctrl-C (SIGINT) or SIGTERM. On the Quelmar printer SIGUSR1 puts a document in the cheque
// station's slip, as an operator would for a cheque or an authentication.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>

#include "quelfi/commands.h"
#include "quelfi/scale_input.h"
#include "quelfi/served_printer.h"
#include "quelfi/served_scale.h"
#include "quelfi/served_yanco.h"
#include "quelfi/sim_settings.h"
#include "quelfi/terminal.h"
#include "sim/quelmar/codes.h"

namespace quelfi::tool {

namespace {

// How often the program looks at the paper and the state while it waits for a signal.
constexpr long kLookNanoseconds = 100'000'000;

std::string machineText(const sim::FiscalModel& m) {
    char text[160];
    std::snprintf(text, sizeof text, "%s, firmware %02d.%02d.%02d, type %d%s, COO %06d",
                  m.serialNumber.c_str(), m.firmware[0], m.firmware[1], m.firmware[2],
                  m.printerType, m.electronicJournal ? ", electronic journal" : "", m.counters.coo);
    return text;
}

// Lines typed on standard input while the scale runs: each a new weight or state. Read only when
// something is there, so the program never waits on its input.
class TypedLines {
  public:
    // The lines completed since the last look.
    std::vector<std::string> take() {
        std::vector<std::string> lines;
        pollfd in{0, POLLIN, 0};
        while (open_ && ::poll(&in, 1, 0) > 0) {
            char chunk[256];
            const ssize_t n = ::read(0, chunk, sizeof chunk);
            if (n <= 0) {
                open_ = false;
                break;
            }
            pending_.append(chunk, static_cast<std::size_t>(n));
        }
        for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
            lines.push_back(pending_.substr(0, end));
            pending_.erase(0, end + 1);
        }
        return lines;
    }

  private:
    bool open_ = true;
    std::string pending_;
};

void changeScale(ServedScale& served, const std::string& line, const Styler& style) {
    const std::optional<ScaleInput> input = scaleInputOf(line);
    if (!input) {
        if (line.find_first_not_of(" \t\r") != std::string::npos)
            std::cerr << "quelfi sim: the scale takes a weight in kilos (2,000) or I, N, S; not '"
                      << line << "'\n";
        return;
    }
    if (input->grams) served.scale().weigh(*input->grams);
    if (input->state) served.scale().show(*input->state);
    std::cout << style.paint(Colour::Bold, "  scale ")
              << plateText(served.model(), served.scale().reading()) << '\n'
              << std::flush;
}

std::string yancoMachineText(const sim::yanco::Model& m) {
    char text[160];
    std::snprintf(text, sizeof text, "Yanco %s, firmware %s, COO %06d", m.serialNumber.c_str(),
                  m.firmware.c_str(), m.counters.coo);
    return text;
}

using Rows = std::vector<std::vector<std::string>>;

// Shows where the printer is (`rows`, then its state and paper files, then `machine`) and its
// paper as it prints, until a stop signal; then stops it. SIGUSR1 runs `insertDocument` when the
// printer has a cheque station.
template <typename Served>
int serveUntilStopped(Served& served, const SimSettings& settings, const sigset_t& stops,
                      const std::string& title, Rows rows, const std::string& machine,
                      ServedScale* scale, const std::function<void()>& insertDocument = {}) {
    if (scale)
        rows.push_back({settings.scalePort, scale->link() + "   scale model " +
                                                std::to_string(scale->model()) + ", " +
                                                plateText(scale->model(), settings.scaleReading)});
    rows.push_back({"state", settings.stateFile});
    if (!settings.paperFile.empty()) rows.push_back({"paper", settings.paperFile});
    rows.push_back({"printer", machine});
    const Styler style = Styler::forStandardOutput();
    std::cout << style.paint(Colour::Bold, "quelfi sim: the virtual " + title + " printer is on")
              << '\n';
    for (const std::string& line : alignColumns(rows)) std::cout << "  " << line << '\n';
    if (scale)
        std::cout << "A weight in kilos (2,000) or I, N, S typed here and Enter changes what the "
                     "scale reads.\n";
    if (insertDocument)
        std::cout << "kill -USR1 " << ::getpid() << " puts a document in the cheque slip; ";
    std::cout << "Ctrl-C stops it.\n" << std::flush;
    TypedLines typed;

    std::size_t shown = 0;
    bool warned = false;
    const timespec look{0, kLookNanoseconds};
    for (;;) {
        const int signal = sigtimedwait(&stops, nullptr, &look);
        if (signal == SIGUSR1 && insertDocument) insertDocument();
        if (!settings.quiet) {
            const std::vector<std::string> paper = served.printer().paper().lines();
            for (; shown < paper.size(); ++shown)
                std::cout << style.paint(Colour::Dim, "  | ") << paper[shown] << '\n';
            std::cout << std::flush;
        }
        if (scale)
            for (const std::string& line : typed.take()) changeScale(*scale, line, style);
        if (!served.keepState() && !warned) {
            std::cerr << "quelfi sim: cannot write the state file " << settings.stateFile << '\n';
            warned = true;
        }
        if (signal == SIGINT || signal == SIGTERM) break;
    }
    const bool kept = served.stop();
    std::cout << "quelfi sim: stopped; " << (kept ? "the state is in " : "could not write ")
              << settings.stateFile << '\n';
    return kept ? 0 : 1;
}

Rows portRows(const std::string& devicePath, const std::string& comLink,
              const SimSettings& settings) {
    return {{"device", devicePath},
            {"COM1", comLink + "   (QUELFI_PORT_DIR=" + settings.portDirectory + ")"}};
}

int runQuelmar(const SimSettings& settings, const sigset_t& stops, sim::FiscalModel model,
               ServedScale* scale) {
    const std::string machine = machineText(model);
    ServedPrinter::Options options;
    options.road = settings.emulator ? ServedPrinter::Road::EmulatorFiles
                                     : ServedPrinter::Road::PseudoTerminal;
    options.portDirectory = settings.portDirectory;
    options.stateFile = settings.stateFile;
    options.paperFile = settings.paperFile;
    std::unique_ptr<ServedPrinter> served;
    try {
        served = std::make_unique<ServedPrinter>(std::move(model), options);
    } catch (const std::exception& e) {
        std::cerr << "quelfi sim: " << e.what() << '\n';
        if (settings.emulator)
            std::cerr << "quelfi sim: the emulator files are made in $QUELFI_DRIVE_C, else in "
                         "$QUELFI_SYSTEM_DIR\n";
        return 1;
    }
    Rows rows;
    if (settings.emulator) {
        rows.push_back({"command file", served->commandFile()});
        rows.push_back({"reply file", served->replyFile()});
        rows.push_back({"library", "EmulMFD=1 in section [Sistema] of QuelFI32.ini"});
    } else {
        rows = portRows(served->devicePath(), served->comLink(), settings);
    }
    return serveUntilStopped(*served, settings, stops, "Quelmar", rows, machine, scale, [&served] {
        served->printer().update([](sim::FiscalModel& m) {
            m.chequeSensor = sim::codes::kChequeDocumentPresent |
                             sim::codes::kChequeDocumentAligned | sim::codes::kChequeUnderHead;
        });
    });
}

int runYanco(const SimSettings& settings, const sigset_t& stops, sim::yanco::Model model,
             ServedScale* scale) {
    const std::string machine = yancoMachineText(model);
    std::unique_ptr<ServedYanco> served;
    try {
        served = std::make_unique<ServedYanco>(
            std::move(model),
            ServedYanco::Options{settings.portDirectory, settings.stateFile, settings.paperFile});
    } catch (const std::exception& e) {
        std::cerr << "quelfi sim: " << e.what() << '\n';
        return 1;
    }
    return serveUntilStopped(*served, settings, stops, "Yanco",
                             portRows(served->devicePath(), served->comLink(), settings), machine,
                             scale);
}

}  // namespace

int simCommand(const std::vector<std::string>& args) {
    namespace fs = std::filesystem;
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << kSimUsage;
        return 0;
    }
    std::string error;
    const std::optional<SimSettings> settings = parseSimSettings(args, error);
    if (!settings) {
        std::cerr << "quelfi sim: " << error << '\n' << kSimUsage;
        return 2;
    }
    // One printer per state file: two programs writing the same state would each lose the
    // other's documents.
    std::error_code ignored;
    const fs::path stateDir = fs::path(settings->stateFile).parent_path();
    if (!stateDir.empty()) fs::create_directories(stateDir, ignored);
    const int lock =
        ::open((settings->stateFile + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lock < 0 || ::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        std::cerr << "quelfi sim: "
                  << (lock < 0 ? "cannot create " + settings->stateFile + ".lock"
                               : "another quelfi sim keeps its state in " + settings->stateFile)
                  << '\n';
        return 1;
    }
    std::optional<sim::FiscalModel> quelmar;
    std::optional<sim::yanco::Model> yanco;
    if (settings->yanco) {
        yanco = startingYancoModel(*settings, error);
    } else {
        quelmar = startingModel(*settings, error);
    }
    if (!quelmar && !yanco) {
        std::cerr << "quelfi sim: " << error << '\n';
        return 2;
    }

    // The stop signals are taken by the main loop; the serving threads inherit the mask.
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);
    // A scale beside the printer, on its own port.
    std::unique_ptr<ServedScale> scale;
    if (settings->scaleModel != 0) {
        try {
            scale = std::make_unique<ServedScale>(settings->scaleModel, settings->scaleReading,
                                                  settings->portDirectory, settings->scalePort);
        } catch (const std::exception& e) {
            std::cerr << "quelfi sim: cannot serve the scale: " << e.what() << '\n';
            return 1;
        }
    }
    return yanco ? runYanco(*settings, stops, std::move(*yanco), scale.get())
                 : runQuelmar(*settings, stops, std::move(*quelmar), scale.get());
}

}  // namespace quelfi::tool
