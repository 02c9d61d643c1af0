// The request records that client workstations leave for the network-driver program, as outside
// data: the fuzz bytes are the command file's text, run by the driver's record dispatch (a record
// "NNN|p1|...|" names an export of the call table by its number; text with ETB is a raw request)
// against the virtual printer on an in-process line, virtual clock.
//
// Holds: the request ends within its time limits, the status answer is "%d,%d,%d" of bytes the
// printer can send, and the raw request's fields parse to what was asked.
#include <cstdint>
#include <string>

#include "core/printer_state.h"
#include "protocol/driver_request.h"
#include "quelfi/network_driver.h"
#include "sim/quelmar/in_process_port.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/fuzz_input.h"
#include "support/fuzz_platform.h"
#include "support/scratch_dir.h"

namespace {

using namespace quelfi;
using fuzz::check;

bool statusShape(const std::string& status) {
    int fields = 1;
    bool digit = false;
    for (const char c : status) {
        if (c == ',') {
            if (!digit) return false;
            ++fields;
            digit = false;
        } else if (c >= '0' && c <= '9') {
            digit = true;
        } else {
            return false;
        }
    }
    return digit && fields == 3;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::FuzzPlatform platform;
    static const sim::FiscalModel kModel = sim::modelFromSeed(
        "rates=18.00,7.00/ISS; payments=Dinheiro,Cheque; coo=321; "
        "clock=15/06/2026 10:00:00");
    const fuzz::ScratchDir& dir = fuzz::ScratchDir::get();
    const fuzz::InWorkDir inWorkDir;
    dir.writeIni("[Sistema]\r\npath=" + dir.workDir() + "\r\nLog=1\r\nPorta=COM1\r\n");
    const std::string request(reinterpret_cast<const char*>(data), size);

    // The raw request's fields: whatever the text, the three one-digit fields are digits.
    const protocol::RawRequest raw = protocol::parseRawRequest(request);
    check(raw.dataMode >= 0 && raw.dataMode <= 9 && raw.dataFormat >= 0 && raw.dataFormat <= 9 &&
              raw.layout >= 0 && raw.layout <= 9,
          "raw request digit fields");
    check(raw.command.find('\x17') == std::string::npos, "ETB left in the raw command");

    sim::QuelmarPrinter printer(kModel);
    sim::InProcessPort line(printer, platform);
    platform.plugPort("COM1", [&line] { return line.connection(); });
    core::resetState();
    core::state().platform = &platform;
    tool::enterDriverMode();

    platform.startCall(std::uint64_t{4} * 3600 * 1000);
    const tool::DriverAnswer answer = tool::runRequest(tool::libraryCallTable(), request);
    const std::uint64_t took = platform.elapsed();
    platform.startCall(0);
    const auto frames = static_cast<std::uint64_t>(line.frames().size());
    check(took <= 600000 + frames * 240000, "request over its time limits:", std::to_string(took));
    check(statusShape(answer.status), "status answer", answer.status);
    if (answer.data) check(answer.data->size() < 8192, "data answer larger than a buffer");
    core::resetState();
    return 0;
}
