// Every export of the export table called with generated arguments, in sequences, against the
// virtual printer the INI names (Quelmar or Yanco) on an in-process line (virtual clock: waits take
// no real time), in direct mode and in the client and driver sides of the network mode, with the
// line misbehaving now and then.
//
// Holds after every call: the result is one of the library's return codes; the call kept within
// its time limits on the virtual clock; no answer buffer was filled to its end; and nothing of the
// call is left behind (no nested state, no changed wait settings, no open answer file).
// AddressSanitizer and UndefinedBehaviorSanitizer watch memory, leaks and arithmetic meanwhile.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/printer_state.h"
#include "core/return_code.h"
#include "exports/boundary.h"
#include "quelfi32.h"
#include "sim/quelmar/in_process_port.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "sim/yanco/in_process_port.h"
#include "sim/yanco/model_text.h"
#include "support/export_arguments.h"
#include "support/fuzz_input.h"
#include "support/fuzz_platform.h"
#include "support/scratch_dir.h"

namespace {

using namespace quelfi;
using fuzz::check;

struct Export {
    std::string_view name;
    int (*call)(fuzz::ArgumentStore&);
};

constexpr Export kExports[] = {
#define QF_EXPORT(record, yanco, result, name, parameters) \
    {#name, [](fuzz::ArgumentStore& a) { return fuzz::callWith(&::name, a); }},
#define QF_EXPORT_DECORATED(record, yanco, result, name, parameters) \
    QF_EXPORT(record, yanco, result, name, parameters)
// An alias is one more name of its target's function, given by the shared library alone.
#define QF_ALIAS(alias, target) \
    {#alias, [](fuzz::ArgumentStore& a) { return fuzz::callWith(&::target, a); }},
#define QF_ALIAS_DECORATED(alias, target) QF_ALIAS(alias, target)
#define QF_FORWARDER(name, target, parameters, arguments) \
    {#name, [](fuzz::ArgumentStore& a) { return fuzz::callWith(&::name, a); }},
#include "exports/surface.inc"
#undef QF_EXPORT
#undef QF_EXPORT_DECORATED
#undef QF_ALIAS
#undef QF_ALIAS_DECORATED
#undef QF_FORWARDER
};

// Quelmar printers to talk to: a plain one with rates and payment forms, one with an electronic
// journal, one in the middle of a coupon, one out of paper, one with the restaurant firmware and a
// table.
const char* const kSeeds[] = {
    "rates=18.00,7.00/ISS,12.00; payments=Dinheiro,Cheque,Cartao/V; coo=120; lastitem=0",
    "mfd=1; rates=18.00; payments=Dinheiro; coo=5",
    "rates=18.00; payments=Dinheiro; coo=77; document=coupon; lastitem=3",
    "rates=18.00; payments=Dinheiro; paper=out",
    "firmware=03.20.00; rates=18.00; payments=Dinheiro; table.12.1=101,PRATO,01,2,30.00,0",
};

// Yanco printers, when the INI names one: a day open, a coupon in progress, no day yet, paper near
// its end.
const char* const kYancoSeeds[] = {
    "day=1; movement=15/06/2026; rates=18.00,7.00/ISS; payments=Dinheiro,Cartao/V; coo=120",
    "day=1; movement=15/06/2026; document=coupon; coo=9",
    "day=0",
    "day=1; movement=15/06/2026; paper=low",
};

constexpr const char* kFixedClock = "; clock=15/06/2026 10:00:00";

// Longest a call may take on the virtual clock: the file waits of the network mode and a long
// command's wait, plus for every frame sent the first-byte time-out, the longest ready wait and
// the retries of a stalled reply.
constexpr std::uint64_t kCallBaseMs = 600000;
constexpr std::uint64_t kPerFrameMs = 240000;
// Past this the watchdog takes the call for hung.
constexpr std::uint64_t kHangMs = 4 * 3600 * 1000;

std::string iniText(fuzz::FuzzInput& in, const std::string& workDir) {
    const std::uint8_t a = in.byte();
    const std::uint8_t b = in.byte();
    const char* const ports[] = {"COM1", "COM1", "COM1", "DEFAULT", "COM9", ""};
    const int network = (b & 0x30) == 0x10 ? 1 : (b & 0x30) == 0x20 ? 2 : 0;
    std::string ini = "[Sistema]\r\npath=" + workDir + "\r\n";
    ini += std::string("Log=") + ((a & 1) ? "1" : "0") + "\r\n";
    ini += std::string("Status=") + ((a & 2) ? "1" : "0") + "\r\n";
    ini += std::string("Retorno=") + ((a & 4) ? "1" : "0") + "\r\n";
    ini += std::string("ControlePorta=") + ((a & 8) ? "1" : "0") + "\r\n";
    ini += std::string("StatusFuncao=") + ((a & 16) ? "1" : "0") + "\r\n";
    ini += std::string("ModeloImp=") + ((a & 32) && (b & 0x80) ? "YANCO" : "QUELMAR") + "\r\n";
    ini += std::string("EmulMFD=") + ((a & 64) && (b & 0x40) ? "1" : "0") + "\r\n";
    ini += "ConfigRede=" + std::to_string(network) + "\r\n";
    ini += std::string("Porta=") + ports[in.below(std::size(ports))] + "\r\n";
    ini += "[MFD]\r\n";
    ini += std::string("StatusErro=") + ((a & 128) ? "1" : "0") + "\r\n";
    ini += "Impressora=" + std::to_string(b % 3) + "\r\n";
    return ini;
}

// A misbehaviour of the line for the next call: most calls get none.
void injectFault(fuzz::FuzzInput& in, sim::InProcessLine& line) {
    switch (in.byte() % 24) {
        case 0:
            line.goSilent();
            break;
        case 1:
            line.dropCtsFor(in.below(250) * 1000);
            break;
        case 2:
            line.garbleNextFrame();
            break;
        case 3:
            line.answerNak();
            break;
        case 4:
            line.loseReplyByte(in.below(40));
            break;
        case 5:
            line.cutReplyAfter(in.below(40));
            break;
        case 6:
            line.answerLate(in.below(16) * 1000);
            break;
        case 7:
            line.garbageBeforeAck(in.text(8));
            break;
        case 8:
            line.dropCtsForReads(in.byte());
            break;
        default:
            break;
    }
}

// The driver program's answer files of the network mode are outside data too; Retorno.txt is kept
// shorter than an answer buffer, since Quelmar_FI_LeArquivoRetorno copies it without a bound.
void boundAnswerFile(const std::string& path) {
    std::error_code ignored;
    const auto size = std::filesystem::file_size(path, ignored);
    if (!ignored && size >= fuzz::kAnswerBuffer)
        std::filesystem::resize_file(path, fuzz::kAnswerBuffer - 1, ignored);
}

// Quelmar_FI_SetaMFD chooses the ready-poll limit for the calls after it; every other export must
// leave the limit it found.
void checkNothingLeftBehind(std::string_view name, int statusTimeoutBefore) {
    const core::PrinterState& s = core::state();
    const std::string who(name);
    check(s.nestedCall == 0, "nestedCall left set by", who);
    check(s.probeMode == 0, "probeMode left set by", who);
    check(name == "Quelmar_FI_SetaMFD" || s.statusTimeout == statusTimeoutBefore,
          "statusTimeout left changed by", who);
    check(s.answerFileHandle == nullptr, "answer file left open by", who);
    check(s.replyBuffer.size() < core::kReplyBufferSize, "reply buffer overrun by", who);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzPlatform platform;
    static const sim::FiscalModel kModels[] = {
        sim::modelFromSeed(std::string(kSeeds[0]) + kFixedClock),
        sim::modelFromSeed(std::string(kSeeds[1]) + kFixedClock),
        sim::modelFromSeed(std::string(kSeeds[2]) + kFixedClock),
        sim::modelFromSeed(std::string(kSeeds[3]) + kFixedClock),
        sim::modelFromSeed(std::string(kSeeds[4]) + kFixedClock),
    };
    const fuzz::ScratchDir& dir = fuzz::ScratchDir::get();
    const fuzz::InWorkDir inWorkDir;
    fuzz::FuzzInput in(data, size);

    static const sim::yanco::Model kYancoModels[] = {
        sim::yanco::modelFromSeed(std::string(kYancoSeeds[0]) + kFixedClock),
        sim::yanco::modelFromSeed(std::string(kYancoSeeds[1]) + kFixedClock),
        sim::yanco::modelFromSeed(std::string(kYancoSeeds[2]) + kFixedClock),
        sim::yanco::modelFromSeed(std::string(kYancoSeeds[3]) + kFixedClock),
    };
    const std::string ini = iniText(in, dir.workDir());
    dir.writeIni(ini);
    const std::size_t model = in.below(std::size(kModels));
    sim::QuelmarPrinter printer(kModels[model]);
    sim::yanco::Printer yancoPrinter(kYancoModels[model % std::size(kYancoModels)]);
    std::unique_ptr<sim::InProcessLine> connected;
    if (ini.find("ModeloImp=YANCO") != std::string::npos)
        connected = std::make_unique<sim::yanco::InProcessPort>(yancoPrinter, platform);
    else
        connected = std::make_unique<sim::InProcessPort>(printer, platform);
    sim::InProcessLine& line = *connected;
    platform.plugPort("COM1", [&line] { return line.connection(); });
    platform.prompts.clear();
    platform.transientMessages.clear();
    platform.inputCalls.clear();

    core::resetState();
    core::state().platform = &platform;
    exports::libraryLoad();
    const std::string answerFile = dir.workDir() + "/Retorno.txt";
    if (in.flag()) fuzz::writeWholeFile(answerFile, in.text(fuzz::kAnswerBuffer + 64));
    if (in.flag()) fuzz::writeWholeFile(dir.workDir() + "/Status.txt", in.text(16));

    for (int calls = 0; calls < 12 && !in.empty(); ++calls) {
        const Export& e = kExports[in.below(std::size(kExports))];
        injectFault(in, line);
        boundAnswerFile(answerFile);
        fuzz::ArgumentStore arguments(in);
        const std::size_t framesBefore = line.frames().size();
        const int statusTimeoutBefore = core::state().statusTimeout;
        platform.startCall(kHangMs);
        const int result = e.call(arguments);
        const std::uint64_t took = platform.elapsed();
        platform.startCall(0);
        // The TEF exchange stays in the scratch directory: directories the input named are
        // forgotten before the next call creates or deletes files in them.
        if (e.name == "Quelmar_FITEF_ConfiguraDiretorioTef") {
            dir.writeIni(ini);
            core::state().tef = {};
        }
        line.goSilent(false);
        line.dropCtsFor(0);

        const std::string name(e.name);
        check(core::isReturnCode(result),
              "not a return code:", name + " " + std::to_string(result));
        const auto frames = static_cast<std::uint64_t>(line.frames().size() - framesBefore);
        check(took <= kCallBaseMs + frames * kPerFrameMs, "call over its time limits:",
              name + " " + std::to_string(took) + " ms, " + std::to_string(frames) + " frames");
        for (const auto& buffer : arguments.buffers())
            check(buffer->back() == '\0', "answer filled its whole buffer:", name);
        checkNothingLeftBehind(e.name, statusTimeoutBefore);
    }
    core::resetState();
    return 0;
}
