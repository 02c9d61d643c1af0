// The virtual Quelmar printer with the restaurant firmware fed a host's commands. The input's
// first line holds settings of the restaurant's notation (tables, menu, the open bill check),
// right or wrong, applied first; each following line is a restaurant command after ESC "P", framed
// with its checksum and sent on the printer's line; a line starting with '!' goes on the line as
// raw bytes instead, followed by the line falling quiet. So the frame reader, the restaurant's
// handlers and its notation see fields of any length and content, in any order.
//
// Holds: every frame is answered, with NAK or a reply that starts with ACK; the table memory
// keeps within its bound; and the printer's state written as text reads back as it was.
#include <cstdint>
#include <string>
#include <string_view>

#include "sim/quelmar/model_text.h"
#include "sim/quelmar/printer_link.h"
#include "support/fuzz_input.h"

namespace {

using namespace quelfi;
using fuzz::check;

constexpr char kStx = 0x02;
constexpr char kAck = 0x06;
constexpr char kNak = 0x15;

std::string framed(std::string_view body) {
    const std::string command = "\x1BP" + std::string(body);
    unsigned sum = 0;
    for (char c : command) sum += static_cast<std::uint8_t>(c);
    const std::size_t length = command.size() + 2;
    std::string frame{kStx, static_cast<char>(length & 0xFF), static_cast<char>(length >> 8)};
    frame += command;
    frame += static_cast<char>(sum & 0xFF);
    frame += static_cast<char>(sum >> 8 & 0xFF);
    return frame;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    sim::QuelmarPrinter printer(sim::modelFromSeed(
        "firmware=03.20.00; clock=06/12/2026 20:00:00; rates=18.00,7.00; payments=Dinheiro; "
        "menu.1=101,PRATO,01,30.00; table.4.1=101,PRATO,01,2.000,30.00,-1.00"));
    sim::PrinterLink link(printer);
    const std::string input = in.rest();
    const std::size_t firstEnd = std::min(input.find('\n'), input.size());
    // Only the restaurant's own settings: the rest of the notation has its own checks.
    printer.update([&](sim::FiscalModel& m) {
        std::string_view settings = std::string_view(input).substr(0, firstEnd);
        while (!settings.empty()) {
            const std::size_t end = std::min(settings.find(';'), settings.size());
            const std::string_view setting = settings.substr(0, end);
            settings.remove_prefix(std::min(end + 1, settings.size()));
            if (setting.starts_with("table.") || setting.starts_with("menu.") ||
                setting.starts_with("check="))
                sim::applySeed(m, setting);
        }
    });
    for (std::size_t at = firstEnd + 1; at < input.size();) {
        const std::size_t end = std::min(input.find('\n', at), input.size());
        const std::string_view line = std::string_view(input).substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.front() == '!') {
            link.receive(line.substr(1));
            link.idle();
            continue;
        }
        // Longer commands than a frame carries are not the printer's to answer.
        if (line.size() > 32000) continue;
        const std::string reply = link.receive(framed(line));
        check(!reply.empty() && (reply.front() == kAck || reply == std::string(1, kNak)),
              "a frame answered without ACK or NAK");
    }
    sim::FiscalModel model = printer.model();
    check(registrations(model.restaurant) <= sim::kTableMemory, "the table memory overflowed");
    // What runs for a while is not kept in the state text.
    model.printingUntil.reset();
    model.busyUntil.reset();
    sim::FiscalModel kept;
    const auto error = sim::applySeed(kept, sim::modelText(model));
    check(!error && kept == model, "the state text does not read back", error.value_or(""));
    return 0;
}
