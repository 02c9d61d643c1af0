#include "sim/yanco/in_process_port.h"

#include "sim/yanco/codes.h"
#include "sim/yanco/printer_link.h"

namespace quelfi::sim::yanco {
namespace {

// The host writes a frame a byte at a time; the printer takes it with the second check byte.
bool frameComplete(std::string_view pending) {
    if (pending.empty()) return false;
    if (static_cast<std::uint8_t>(pending[0]) != codes::kStx) return true;
    const std::size_t etx = pending.find(static_cast<char>(codes::kEtx), 1);
    if (etx == std::string_view::npos)
        return pending.size() > codes::kFrameHeader + codes::kMaxCommandBytes;
    return pending.size() >= etx + 3;
}

InProcessLine::Framing yancoFraming() {
    return {frameComplete,
            [](std::string& frame) {
                if (!frame.empty()) frame.back() ^= 0x01;  // the check's low byte
            },
            Printer::nak()};
}

}  // namespace

InProcessPort::InProcessPort(Printer& printer, platform::Platform& clock)
    : InProcessLine(std::make_unique<PrinterLink>(printer), yancoFraming(), clock),
      printer_(printer) {}

}  // namespace quelfi::sim::yanco
