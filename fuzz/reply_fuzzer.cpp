// The printer's reply as outside data: the fuzz bytes are what arrives on the line after a
// command, read by the reply reader with every data format, layout and table layout, on plain and
// electronic-journal printers, with gaps in the line and the ready line dropping.
//
// Holds: the reader ends within its limits on the virtual clock, answers 0, 1 or -27, never
// writes past the reply buffer, and reads no more than the reply it was asked for.
#include <cstdint>
#include <memory>

#include "core/printer_state.h"
#include "exports/boundary.h"
#include "protocol/reply_reader.h"
#include "protocol/send_command.h"
#include "protocol/waits.h"
#include "support/feed_port.h"
#include "support/fuzz_input.h"
#include "support/fuzz_platform.h"
#include "support/scratch_dir.h"

namespace {

using namespace quelfi;
using fuzz::check;

// The table answers and their lengths, plus the 'L' command's reading rule and an unknown table.
struct Table {
    int command;
    int length;
};
constexpr Table kTables[] = {{32, 1928}, {33, 1553}, {34, 603}, {49, 623}, {50, 783},
                             {51, 573},  {253, 6},   {'L', 40}, {7, 30}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzPlatform platform;
    const fuzz::ScratchDir& dir = fuzz::ScratchDir::get();
    const fuzz::InWorkDir inWorkDir;
    fuzz::FuzzInput in(data, size);

    core::resetState();
    core::PrinterState& s = core::state();
    s.platform = &platform;
    s.statusFilePath = dir.workDir() + "/Status.txt";

    const std::uint8_t shape = in.byte();
    protocol::CommandSpec spec;
    if (shape & 1) {
        const Table& t = kTables[in.below(std::size(kTables))];
        spec.tableLayout = t.command != 'L' || in.flag();
        spec.tableCommand = t.command;
        spec.replyLength = t.length;
    } else {
        spec.replyLength = static_cast<int>(in.below(3200)) - 4;  // some are 0 or less
    }
    const int replyLength = spec.replyLength;
    spec.dataMode = (shape & 2) ? 1 + in.byte() % 3 : 0;
    spec.dataFormat = in.byte() % 6;
    spec.layout = (shape & 4) ? 1 : in.byte() % 3;
    s.mfdPrinter = shape & 8;
    s.printerType = in.byte() % 3;
    s.statusErroMode = in.flag();
    s.statusInReturnCode = in.flag();
    s.statusToFile = in.flag();
    s.networkMode = in.flag() ? 2 : 0;
    spec.leadingCount = in.flag();
    const int probeModes[] = {0, 0, 1, 2000, 3};
    s.probeMode = probeModes[in.below(std::size(probeModes))];
    spec.probe = in.flag();
    spec.busyClass = in.byte() % 4;
    spec.rawLength = static_cast<int>(in.below(400));

    fuzz::LineBehaviour line;
    line.gapEvery = in.byte() % 64;
    line.gapReads = in.byte() % 32;
    line.ctsLowEvery = in.byte() % 16;
    line.ctsLowReads = in.byte();
    line.writesFail = in.byte() == 0xFF;
    const std::string command = in.text(48);
    const std::string reply = in.rest();

    auto port = std::make_unique<fuzz::FeedPort>(reply, line);
    fuzz::FeedPort& feed = *port;
    s.port = std::move(port);
    s.portOpen = 1;

    // Before the first byte the reader gives up after 12 s. Every later byte is read after a
    // ready wait, and each of its empty reads (a second each, up to the reader's retries) is
    // followed by another ready wait.
    const std::uint64_t perByte =
        (static_cast<std::uint64_t>(s.replyAttempts) + 1) *
        (static_cast<std::uint64_t>(protocol::readyPollLimit(spec)) * 100 + 1000);
    const std::uint64_t expected =
        static_cast<std::uint64_t>(replyLength > 0 ? replyLength : 0) + 2;
    platform.startCall(14000 + (expected + (s.mfdPrinter ? 2 : 0)) * perByte);

    spec.command = command.empty() ? std::string("\x1B\x13") : command;
    const int sent = protocol::sendCommand(exports::chosenRoad(), spec);
    check(sent == 0 || sent == 1, "sendCommand answered", std::to_string(sent));
    check(s.lastReturnCode == 1 || s.lastReturnCode == -27, "lastReturnCode",
          std::to_string(s.lastReturnCode));
    check(s.replyBuffer.size() < core::kReplyBufferSize, "reply buffer overrun",
          std::to_string(s.replyBuffer.size()));
    // The reader takes the acknowledge, the data and the status bytes, and skips noise before
    // the acknowledge: never a byte after the reply's end.
    if (sent == 1 && !line.writesFail) {
        std::size_t noise = 0;
        while (noise < reply.size() && reply[noise] != 6 && reply[noise] != 21) ++noise;
        const int raised = replyLength + (s.mfdPrinter ? 2 : 0);
        const std::size_t length = raised > 0 ? static_cast<std::size_t>(raised) : 0;
        check(feed.bytesRead() <= noise + length, "read past the reply",
              std::to_string(feed.bytesRead()));
    }
    core::resetState();
    return 0;
}
