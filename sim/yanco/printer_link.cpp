#include "sim/yanco/printer_link.h"

namespace quelfi::sim::yanco {

std::string PrinterLink::receive(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        if (auto event = reader_.push(static_cast<std::uint8_t>(c))) out += answer(*event);
    }
    return out;
}

std::string PrinterLink::idle() {
    auto event = reader_.idle();
    return event ? answer(*event) : std::string();
}

std::string PrinterLink::answer(const FrameEvent& event) {
    return event.accepted ? printer_.execute(event.sequence, event.command) : Printer::nak();
}

}  // namespace quelfi::sim::yanco
