#include "sim/quelmar/in_process_port.h"

#include "sim/quelmar/codes.h"
#include "sim/quelmar/printer_link.h"

namespace quelfi::sim {
namespace {

// The library writes a frame in three blocks; the printer takes it once its length is reached.
bool frameComplete(std::string_view pending) {
    if (pending.empty()) return false;
    if (static_cast<std::uint8_t>(pending[0]) != codes::kStx) return true;
    if (pending.size() < 3) return false;
    const std::size_t field = static_cast<std::uint8_t>(pending[1]) |
                              static_cast<std::size_t>(static_cast<std::uint8_t>(pending[2])) << 8;
    return pending.size() >= 1 + 2 + field;
}

InProcessLine::Framing quelmarFraming() {
    return {frameComplete,
            [](std::string& frame) {
                if (frame.size() >= 2) frame[frame.size() - 2] ^= 0x01;  // checksum, low byte
            },
            QuelmarPrinter::nak()};
}

}  // namespace

InProcessPort::InProcessPort(QuelmarPrinter& printer, platform::Platform& clock)
    : InProcessLine(std::make_unique<PrinterLink>(printer), quelmarFraming(), clock),
      printer_(printer) {
    printer_.useClock([&clock] { return clock.tickCount(); });
}

InProcessPort::~InProcessPort() {
    printer_.useClock(nullptr);
}

bool InProcessPort::ctsOn() {
    const bool line = InProcessLine::ctsOn();
    return printer_.readyLine() && line;
}

}  // namespace quelfi::sim
