// A scale's answer as outside data: the fuzz bytes are what comes back on the scale's line after
// the library's ENQ (STX, a frame, ETX, or anything else), its bytes coming due with gaps.
//
// Holds: the reading ends within the 400 ms pause and the 4 s frame limit on the virtual clock,
// answers 1, 0, -33, -34 or -35, writes no more than a field's width into each buffer (model 1:
// the weight only), and leaves the scale's port closed.
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/printer_state.h"
#include "quelfi32.h"
#include "support/fuzz_input.h"
#include "support/fuzz_platform.h"
#include "support/scratch_dir.h"
#include "support/scripted_serial_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quelfi;
    using fuzz::check;
    static fuzz::FuzzPlatform platform;
    fuzz::ScratchDir::get();
    const fuzz::InWorkDir inWorkDir;
    fuzz::FuzzInput in(data, size);

    core::resetState();
    core::state().platform = &platform;
    const int model = in.flag() ? 1 : 2;
    const std::size_t gapEvery = in.byte() % 32;
    const std::uint32_t gapMs = in.byte() * 4u;
    const std::string answer = in.rest();

    auto script = std::make_shared<test::SerialScript>();
    std::uint32_t due = platform.tickCount();
    for (std::size_t i = 0; i < answer.size(); ++i) {
        if (gapEvery != 0 && i % gapEvery == gapEvery - 1) due += gapMs;
        script->coming.push_back({answer[i], due});
    }
    platform.plugLine("COM2", [script](const platform::LineSettings& s) {
        return std::make_unique<test::ScriptedSerialLine>(script, platform, s);
    });

    constexpr std::size_t kBuffer = 16;
    char fields[3][kBuffer];
    std::memset(fields, '#', sizeof fields);
    // The pause, the frame limit, and the last byte's wait that may pass it.
    platform.startCall(400 + 4000 + 200);
    const int result = Quelmar_FI_InfoBalanca("COM2", model, fields[0], fields[1], fields[2]);
    platform.startCall(0);
    check(result == 1 || result == 0 || result == -33 || result == -34 || result == -35,
          "Quelmar_FI_InfoBalanca answered", std::to_string(result));
    const std::size_t widths[3] = {model == 1 ? 5u : 6u, model == 1 ? 0u : 6u,
                                   model == 1 ? 0u : 6u};
    for (int f = 0; f < 3; ++f)
        for (std::size_t i = widths[f]; i < kBuffer; ++i)
            check(fields[f][i] == '#', "a field wrote past its width");
    check(!script->open, "the scale's port left open");
    core::resetState();
    return 0;
}
