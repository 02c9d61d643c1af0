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
    // The host's next command may come in the same read as its last answer.
    std::string after;
    if (sender_.active() && download::BlockSender::isAnswer(bytes)) {
        std::string block = sender_.answer(bytes, nowMs());
        if (sender_.active()) return block;
        if (!phases_.empty()) phases_.back().lastAnswer = std::chrono::steady_clock::now();
        after = sender_.takeAfter();
        bytes = after;
    }
    sender_.stop();
    std::string out;
    for (char c : bytes) {
        if (auto event = reader_.push(static_cast<std::uint8_t>(c))) out += answer(*event);
    }
    return out;
}

std::string PrinterLink::idle() {
    if (sender_.active()) {
        const bool first = !sender_.begun();
        std::string block = sender_.quiet(baud_, nowMs());
        if (first && !block.empty())
            phases_.push_back({std::chrono::steady_clock::now(), std::chrono::steady_clock::now()});
        return block;
    }
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
