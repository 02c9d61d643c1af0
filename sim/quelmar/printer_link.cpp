#include "sim/quelmar/printer_link.h"

#include <chrono>

namespace quelfi::sim {
namespace {

std::uint32_t nowMs() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

std::string PrinterLink::receive(std::string_view bytes) {
    // While a download runs, what comes is the host's answers to the blocks (the host may have
    // closed the port behind its last answer, so the line's rate does not tell), until a frame.
    // The host's next command may come right behind its answer to the last block.
    using download::BlockSender;
    std::string out;
    while (sender_.active() && BlockSender::isAnswer(bytes)) {
        out = sender_.answer(bytes.substr(0, BlockSender::kAnswerSize), nowMs());
        bytes.remove_prefix(BlockSender::kAnswerSize);
    }
    if (bytes.empty()) return out;
    sender_.stop();
    for (char c : bytes) {
        if (auto event = reader_.push(static_cast<std::uint8_t>(c))) out += answer(*event);
    }
    return out;
}

std::string PrinterLink::idle() {
    if (sender_.active()) return sender_.quiet(baud_, nowMs());
    auto event = reader_.idle();
    return event ? answer(*event) : std::string();
}

std::string PrinterLink::answer(const FrameEvent& event) {
    if (!event.accepted) return QuelmarPrinter::nak();
    std::string reply = printer_.execute(event.command);
    if (auto stream = printer_.takeDownload()) sender_.start(*stream, nowMs());
    return reply;
}

}  // namespace quelfi::sim
