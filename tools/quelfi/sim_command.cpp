// "quelfi sim": the virtual Quelmar printer as a program of its own. It serves a pseudo-terminal
// (or the emulator files), shows the paper as it prints, keeps its fiscal state in a file so a
// fiscal day can span several runs, and stops on Ctrl-C (SIGINT) or SIGTERM.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <time.h>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "quelfi/commands.h"
#include "quelfi/scale_input.h"
#include "quelfi/served_printer.h"
#include "quelfi/served_scale.h"
#include "quelfi/sim_settings.h"
#include "quelfi/terminal.h"

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
    std::optional<sim::FiscalModel> model = startingModel(*settings, error);
    if (!model) {
        std::cerr << "quelfi sim: " << error << '\n';
        return 2;
    }
    const std::string machine = machineText(*model);

    // The stop signals are taken by the main loop; the serving threads inherit the mask.
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);

    ServedPrinter::Options options;
    options.road = settings->emulator ? ServedPrinter::Road::EmulatorFiles
                                      : ServedPrinter::Road::PseudoTerminal;
    options.portDirectory = settings->portDirectory;
    options.stateFile = settings->stateFile;
    options.paperFile = settings->paperFile;
    std::unique_ptr<ServedPrinter> served;
    try {
        served = std::make_unique<ServedPrinter>(std::move(*model), options);
    } catch (const std::exception& e) {
        std::cerr << "quelfi sim: " << e.what() << '\n';
        if (settings->emulator)
            std::cerr << "quelfi sim: the emulator files are made in $QUELFI_DRIVE_C, else in "
                         "$QUELFI_SYSTEM_DIR\n";
        return 1;
    }

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

    std::vector<std::vector<std::string>> rows;
    if (settings->emulator) {
        rows.push_back({"command file", served->commandFile()});
        rows.push_back({"reply file", served->replyFile()});
        rows.push_back({"library", "EmulMFD=1 in section [Sistema] of QuelFI32.ini"});
    } else {
        rows.push_back({"device", served->devicePath()});
        rows.push_back(
            {"COM1", served->comLink() + "   (QUELFI_PORT_DIR=" + settings->portDirectory + ")"});
    }
    if (scale)
        rows.push_back({settings->scalePort,
                        scale->link() + "   scale model " + std::to_string(scale->model()) + ", " +
                            plateText(scale->model(), settings->scaleReading)});
    rows.push_back({"state", settings->stateFile});
    if (!settings->paperFile.empty()) rows.push_back({"paper", settings->paperFile});
    rows.push_back({"printer", machine});
    const Styler style = Styler::forStandardOutput();
    std::cout << style.paint(Colour::Bold, "quelfi sim: the virtual Quelmar printer is on") << '\n';
    for (const std::string& line : alignColumns(rows)) std::cout << "  " << line << '\n';
    if (scale)
        std::cout << "A weight in kilos (2,000) or I, N, S typed here and Enter changes what the "
                     "scale reads.\n";
    std::cout << "Ctrl-C stops it.\n" << std::flush;
    TypedLines typed;

    std::size_t shown = 0;
    bool warned = false;
    const timespec look{0, kLookNanoseconds};
    for (;;) {
        const int signal = sigtimedwait(&stops, nullptr, &look);
        if (!settings->quiet) {
            const std::vector<std::string> paper = served->printer().paper().lines();
            for (; shown < paper.size(); ++shown)
                std::cout << style.paint(Colour::Dim, "  | ") << paper[shown] << '\n';
            std::cout << std::flush;
        }
        if (scale)
            for (const std::string& line : typed.take()) changeScale(*scale, line, style);
        if (!served->keepState() && !warned) {
            std::cerr << "quelfi sim: cannot write the state file " << settings->stateFile << '\n';
            warned = true;
        }
        if (signal == SIGINT || signal == SIGTERM) break;
    }
    scale.reset();
    const bool kept = served->stop();
    std::cout << "quelfi sim: stopped; " << (kept ? "the state is in " : "could not write ")
              << settings->stateFile << '\n';
    return kept ? 0 : 1;
}

}  // namespace quelfi::tool
