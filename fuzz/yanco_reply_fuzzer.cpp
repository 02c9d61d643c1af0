// The Yanco printer's reply as outside data: the fuzz bytes are what arrives on the line after a
// Yanco command, read as one reply frame or as the frames of a reading appended to the answer file,
// with and without status parsing, with gaps in the line and the ready line dropping.
//
// Holds: the reader ends within its limits on the virtual clock, answers 0, 1 or -27 (and -8 for
// the answer file), stores no more than its frame buffer, and reads no byte past the frame's two
// check bytes.
#include <cstdint>
#include <memory>

#include "adapters/yanco/yanco_transport.h"
#include "core/printer_state.h"
#include "exports/boundary.h"
#include "protocol/command_spec.h"
#include "protocol/waits.h"
#include "support/feed_port.h"
#include "support/fuzz_input.h"
#include "support/fuzz_platform.h"
#include "support/scratch_dir.h"

namespace {

using namespace quelfi;
using fuzz::check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzPlatform platform;
    const fuzz::ScratchDir& dir = fuzz::ScratchDir::get();
    const fuzz::InWorkDir inWorkDir;
    fuzz::FuzzInput in(data, size);

    core::resetState();
    core::PrinterState& s = core::state();
    s.platform = &platform;
    s.printerModel = "YANCO";
    s.statusFilePath = dir.workDir() + "/Status.txt";
    s.answerFilePath = dir.workDir() + "/Retorno.txt";
    s.dayOpenDone = true;

    const std::uint8_t shape = in.byte();
    const bool parseStatus = shape & 1;
    const bool reading = shape & 2;
    s.statusInReturnCode = shape & 4;
    s.statusToFile = shape & 8;
    s.closeAfterCommand = shape & 16;
    s.probeMode = (shape & 32) ? 1 : 0;
    const int busyClass = in.byte() % 4;

    fuzz::LineBehaviour line;
    line.gapEvery = in.byte() % 64;
    line.gapReads = in.byte() % 32;
    line.ctsLowEvery = in.byte() % 16;
    line.ctsLowReads = in.byte();
    const std::string reply = in.rest();

    // The port is closed after the reply under port control, so the bytes read are counted
    // outside it.
    std::size_t bytesRead = 0;
    auto port = std::make_unique<fuzz::FeedPort>(reply, line);
    port->countReadsInto(bytesRead);
    s.port = std::move(port);
    s.portOpen = 1;

    // Every byte is read after a ready wait; each empty read waits a second, 21 in a row end it.
    protocol::CommandSpec wait;
    wait.busyClass = busyClass;
    const std::uint64_t perByte =
        22 * (static_cast<std::uint64_t>(protocol::readyPollLimit(wait)) * 100 + 1000);
    platform.startCall((yanco::kReplyFrameMax + 3) * perByte);

    const protocol::Road& road = exports::chosenRoad();
    int result = 0;
    if (reading) {
        bool last = false;
        result = yanco::appendYancoReplyToAnswerFile(road, parseStatus, last);
        check(result == 0 || result == 1 || result == -27 || result == -8, "append answered",
              std::to_string(result));
    } else {
        result = yanco::readYancoReply(road, parseStatus, busyClass);
        check(result == 0 || result == 1 || result == -27, "reply answered",
              std::to_string(result));
    }
    check(s.replyBuffer.size() <= yanco::kReplyFrameMax, "reply buffer overrun",
          std::to_string(s.replyBuffer.size()));
    // The frame ends at its ETX and two check bytes; a NAK ends it at once.
    if (result != 0) {
        std::size_t end = 0;
        while (end < reply.size() && reply[end] != 0x03 && reply[end] != 0x15) ++end;
        const std::size_t limit = end + (end < reply.size() && reply[end] == 0x03 ? 3 : 1);
        check(bytesRead <= limit, "read past the frame", std::to_string(bytesRead));
    }
    core::resetState();
    return 0;
}
