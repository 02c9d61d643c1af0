// A long answer of open length as outside data: the fuzz bytes are what the printer streams after
// a reading command (status first, then text up to ETX), written to the answer file in chunks.
//
// Holds: the reader ends within its limits on the virtual clock, answers 1, -27, 0 or -8, leaves
// no answer file open, and the file holds only text the printer sent: never the ETX, never more
// bytes than arrived.
#include <cstdint>
#include <filesystem>
#include <memory>

#include "core/printer_state.h"
#include "exports/boundary.h"
#include "platform/platform.h"
#include "protocol/reply_reader.h"
#include "protocol/waits.h"
#include "support/feed_port.h"
#include "support/fuzz_input.h"
#include "support/fuzz_platform.h"
#include "support/scratch_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quelfi;
    using fuzz::check;
    static fuzz::FuzzPlatform platform;
    const fuzz::ScratchDir& dir = fuzz::ScratchDir::get();
    const fuzz::InWorkDir inWorkDir;
    fuzz::FuzzInput in(data, size);

    core::resetState();
    core::PrinterState& s = core::state();
    s.platform = &platform;
    s.statusFilePath = dir.workDir() + "/Status.txt";
    s.mfdPrinter = in.flag();
    s.statusInReturnCode = in.flag();
    s.statusToFile = in.flag();
    s.networkMode = in.flag() ? 2 : 0;
    protocol::CommandSpec spec;
    spec.busyClass = in.byte() % 4;
    // The answer file lies in the working directory, or in one that does not exist.
    const std::string answerFile =
        in.flag() ? dir.workDir() + "/Retorno.txt" : dir.workDir() + "/missing/Retorno.txt";

    fuzz::LineBehaviour line;
    line.gapEvery = in.byte() % 64;
    line.gapReads = in.byte() % 64;
    line.ctsLowEvery = in.byte() % 16;
    line.ctsLowReads = in.byte();
    const std::string reply = in.rest();
    s.port = std::make_unique<fuzz::FeedPort>(reply, line);
    s.portOpen = 1;

    // Every read once the answer started, the up to 50 empty ones in a row included, comes
    // after a ready wait.
    const auto perByte = 51 * static_cast<std::uint64_t>(protocol::readyPollLimit(spec)) * 100;
    platform.startCall(4000 + (reply.size() + 1) * perByte);
    const int result = protocol::readStreamReply(exports::chosenRoad(), spec, answerFile);
    check(result == 1 || result == -27 || result == 0 || result == -8, "readStreamReply answered",
          std::to_string(result));
    check(s.answerFileHandle == nullptr, "answer file left open");
    check(s.replyBuffer.size() < core::kReplyBufferSize, "reply buffer overrun");
    if (const auto text = platform::readWholeFile(answerFile)) {
        check(text->size() <= reply.size(), "answer file longer than the reply");
        check(text->find('\x03') == std::string::npos, "ETX in the answer file");
    }
    core::resetState();
    return 0;
}
