// A journal download of more than 64 blocks from the virtual printer on a pseudo-terminal, through
// the library's real serial code at 115200 baud.
//
//   build/bench/quelfi_download_bench
//
// "line_share" is the blocks' time on the wire (bytes x 11 bits / 115200) over the wall time of
// the data phases, each from its first block's first byte to the host's answer to its last block
// (target >= 0.95); the commands at 9600 baud and the pause between the phases are not the line's.
// The printer paces its blocks byte by byte, as a real line does, so every moment the library
// takes between a block's last byte and its answer counts. "cpu_share" is the processor time of
// the thread that runs the library (the printer serves from its own thread) over the same wall
// time (target < 0.01). One download of 243 blocks takes about a minute and a half.
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "exports/boundary.h"
#include "exports/host.h"
#include "quelfi32.h"
#include "sim/pty_server.h"
#include "sim/quelmar/download_blocks.h"
#include "sim/quelmar/download_streams.h"
#include "sim/quelmar/printer_link.h"
#include "sim/quelmar/quelmar_printer.h"

namespace {

namespace fs = std::filesystem;
using namespace quelfi;

// Documents whose lines all differ, so the run-length encoding hardly shortens them: 2200
// documents of 12 lines give the journal's phase about 70 blocks.
sim::FiscalModel busyJournal() {
    sim::FiscalModel m;
    m.electronicJournal = true;
    for (int coo = 1; coo <= 2200; ++coo) {
        sim::JournalEntry e;
        e.coo = coo;
        e.at = {{2024, 12, 2}, 9 + coo / 300, coo % 60, 0};
        for (int line = 0; line < 12; ++line)
            e.lines.push_back("ITEM " + std::to_string(coo * 100 + line) + " PRODUTO " +
                              std::to_string(coo + line) + " UN x " + std::to_string(line + 1));
        m.journal.push_back(e);
    }
    sim::Reduction z;
    z.crz = 1;
    z.coo = 2200;
    m.reductions.push_back(z);
    return m;
}

double threadCpuSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

struct LineLoad {
    std::size_t blocks = 0, bytes = 0;
};

// What the printer puts on the line for one phase: its header block and the stream's blocks.
void addPhase(LineLoad& load, const std::string& stream) {
    for (const std::string& b : sim::download::blocks({}, sim::download::encode(stream))) {
        ++load.blocks;
        load.bytes += b.size();
    }
}

void JournalDownloadRate(benchmark::State& state) {
    const fs::path dir =
        fs::temp_directory_path() / ("quelfi-dlbench-" + std::to_string(::getpid()));
    fs::create_directories(dir / "ports");
    std::ofstream(dir / "QuelFI32.ini") << "[Sistema]\nPorta=COM1\nLog=0\n";
    ::setenv("QUELFI_SYSTEM_DIR", dir.c_str(), 1);
    ::setenv("QUELFI_PORT_DIR", (dir / "ports").c_str(), 1);
    exports::host::restart(platform::systemPlatform());
    exports::libraryLoad();

    sim::QuelmarPrinter printer(busyJournal());
    sim::PrinterLink link(printer);
    link.paceEachByte(true);
    sim::PtyServer server(link);
    server.linkAs((dir / "ports" / "COM1").string());
    const sim::FiscalModel m = printer.model();
    LineLoad load;
    addPhase(load, sim::download::fiscalMemoryStream(m));
    addPhase(load, sim::download::journalStream(m));
    const std::string file = (dir / "MFD.TXT").string();

    for (auto _ : state) {
        const double cpuBefore = threadCpuSeconds();
        if (Quelmar_FI_DownloadMFD(file.c_str(), "0", "", "", "") != 1)
            state.SkipWithError("the download failed");
        const double cpu = threadCpuSeconds() - cpuBefore;
        // The printer's thread has stopped: its record of the phases is complete.
        server.stop();
        double wall = 0;
        for (const sim::PrinterLink::DataPhase& phase : link.dataPhases())
            wall += std::chrono::duration<double>(phase.lastAnswer - phase.firstBlock).count();
        if (link.dataPhases().size() != 2 || wall <= 0) {
            state.SkipWithError("the printer did not send two phases");
            break;
        }
        state.counters["blocks"] = static_cast<double>(load.blocks);
        state.counters["line_share"] = static_cast<double>(load.bytes) * 11.0 / 115200.0 / wall;
        state.counters["cpu_share"] = cpu / wall;
    }
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}
BENCHMARK(JournalDownloadRate)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
