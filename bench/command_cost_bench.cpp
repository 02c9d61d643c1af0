// What the library itself costs per command, beside what the same bytes take on the printer's
// 9600-baud line, and how much processor a wait for the ready line uses.
//
//   build/bench/quelfi_bench
//
// The printer is the virtual one on an in-process line with no delay, so the time measured is the
// library's (and the virtual printer's) own work. "line_ms" is the time the frame and its reply
// take on the wire at 9600 baud (10 bits a byte); "own_share" is the measured time as a part of it.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "exports/boundary.h"
#include "exports/host.h"
#include "quelfi32.h"
#include "sim/quelmar/in_process_port.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"

namespace {

namespace fs = std::filesystem;
using namespace quelfi;

// A platform whose COM1 is the in-process line to the virtual printer.
class BenchPlatform : public platform::Platform {
  public:
    std::unique_ptr<platform::Port> openSerialPort(const std::string& name, int& error) override {
        if (name == "COM1" && line) return line->connection();
        return Platform::openSerialPort(name, error);
    }
    sim::InProcessPort* line = nullptr;
};

// The library loaded with an INI of its own, in a scratch directory, talking to the printer.
class Bench {
  public:
    Bench() {
        dir_ = fs::temp_directory_path() / ("quelfi-bench-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        std::ofstream(dir_ / "QuelFI32.ini") << "[Sistema]\nPorta=COM1\nLog=0\n";
        ::setenv("QUELFI_SYSTEM_DIR", dir_.c_str(), 1);
        platform_.line = &line_;
        exports::host::restart(platform_);
        exports::libraryLoad();
    }
    ~Bench() {
        exports::host::restart(platform::systemPlatform());
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    sim::InProcessPort& line() { return line_; }

  private:
    fs::path dir_;
    sim::QuelmarPrinter printer_{sim::modelFromSeed("coo=1234")};
    BenchPlatform platform_;
    sim::InProcessPort line_{printer_, platform_};
};

double lineMilliseconds(int bytes) {
    return bytes * 10.0 / 9600.0 * 1000.0;
}

// Runs `command` for the benchmark's iterations and reports its cost beside the line time.
template <typename Command>
void measure(benchmark::State& state, int wireBytes, Command command) {
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (command() != 1) state.SkipWithError("the command failed");
    }
    const double each =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count() /
        static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    const double line = lineMilliseconds(wireBytes);
    state.counters["line_ms"] = line;
    state.counters["own_ms"] = each;
    state.counters["own_share"] = each / line;
}

// The status request: 7 bytes out, 3 back (the coupon-open completion adds the flags query:
// 8 out, 4 back).
void StatusRequest(benchmark::State& state) {
    Bench bench;
    short ack = 0, st1 = 0, st2 = 0;
    measure(state, 7 + 3 + 8 + 4,
            [&] { return Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2); });
}
BENCHMARK(StatusRequest)->Unit(benchmark::kMicrosecond);

// A BCD counter: the coupon number, 7 bytes out and 6 back.
void CouponNumberQuery(benchmark::State& state) {
    Bench bench;
    char coo[7];
    measure(state, 7 + 6, [&] { return Quelmar_FI_NumeroCupom(coo); });
}
BENCHMARK(CouponNumberQuery)->Unit(benchmark::kMicrosecond);

double cpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A command waiting 2 s for a printer that holds its ready line low: the processor time spent
// while waiting, as a part of the time waited.
void ReadyWaitProcessorUse(benchmark::State& state) {
    Bench bench;
    exports::host::setReadyPolls(20);  // 20 polls of 100 ms
    char coo[7];
    for (auto _ : state) {
        bench.line().dropCtsFor(60000);
        Quelmar_FI_AbrePortaSerial();
        const double cpuBefore = cpuSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        // The reply's first byte arrives, then CTS stays low: the reader waits its 20 polls.
        bench.line().dropCtsForReads(0);
        Quelmar_FI_NumeroCupom(coo);
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        state.counters["waited_s"] = wall;
        state.counters["cpu_share"] = (cpuSeconds() - cpuBefore) / wall;
    }
}
BENCHMARK(ReadyWaitProcessorUse)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
