// The virtual Yanco printer fed a host's commands: each line of the input is a command, framed
// with its sum and sent on the printer's line; a line starting with '!' goes on the line as raw
// bytes instead, followed by the line falling quiet. So the frame reader and every command's
// handler see texts of any length and content, in any order, from a day already open.
//
// Holds: every command is answered, by NAKs and whole reply frames with their sums; the printer's
// state written as text reads back as it was (what a state file keeps across runs).
#include <cstdint>
#include <string>
#include <string_view>

#include "sim/yanco/model_text.h"
#include "sim/yanco/printer_link.h"
#include "support/fuzz_input.h"

namespace {

using namespace quelfi;
using fuzz::check;

std::string framed(std::string_view command) {
    std::string frame =
        "\x02"
        "0001" +
        std::string(command) + "\x03";
    unsigned sum = 0;
    for (char c : frame) sum += static_cast<std::uint8_t>(c);
    frame += static_cast<char>(sum >> 8 & 0xFF);
    frame += static_cast<char>(sum & 0xFF);
    return frame;
}

// NAKs and frames DC4 .. ETX, each frame followed by its two-byte sum.
bool wellFormed(std::string_view reply) {
    while (!reply.empty()) {
        if (reply.front() == '\x15') {
            reply.remove_prefix(1);
            continue;
        }
        const std::size_t etx = reply.find('\x03');
        if (reply.front() != '\x14' || etx == std::string_view::npos || etx + 3 > reply.size())
            return false;
        unsigned sum = 0;
        for (char c : reply.substr(0, etx + 1)) sum += static_cast<std::uint8_t>(c);
        if (static_cast<std::uint8_t>(reply[etx + 1]) != (sum >> 8 & 0xFF) ||
            static_cast<std::uint8_t>(reply[etx + 2]) != (sum & 0xFF))
            return false;
        reply.remove_prefix(etx + 3);
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    sim::yanco::Printer printer(sim::yanco::modelFromSeed(
        "clock=06/12/2026 10:00:00; day=1; movement=06/12/2026; payments=Dinheiro,,Cartao/V"));
    sim::yanco::PrinterLink link(printer);
    const std::string input = in.rest();
    std::size_t at = 0;
    while (at < input.size()) {
        const std::size_t end = std::min(input.find('\n', at), input.size());
        const std::string_view line = std::string_view(input).substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.front() == '!') {
            link.receive(line.substr(1));
            link.idle();
            continue;
        }
        const std::string reply = link.receive(framed(line));
        check(!reply.empty() && wellFormed(reply), "a reply that is not whole frames");
    }
    const sim::yanco::Model model = printer.model();
    sim::yanco::Model kept;
    const auto error = sim::yanco::applySeed(kept, sim::yanco::modelText(model));
    check(!error && kept == model, "the state text does not read back", error.value_or(""));
    return 0;
}
