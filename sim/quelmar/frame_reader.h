// Takes frames off the line as the printer sees them: STX, the length (command bytes + 2, low byte
// first), the command bytes, and their sum modulo 65536 (low byte first). Bytes between frames
// are line noise and skipped. A frame whose length or checksum is wrong is rejected, and so is a
// frame the line leaves unfinished.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quelfi::sim {

struct FrameEvent {
    bool accepted = false;
    std::string command;  // prefix byte first; empty when rejected
};

class FrameReader {
  public:
    // Takes one byte; returns an event when this byte completes a frame or shows it is wrong.
    std::optional<FrameEvent> push(std::uint8_t byte);

    // The line fell quiet: a frame still waiting for bytes will never be completed.
    std::optional<FrameEvent> idle();

    bool inFrame() const { return state_ != State::WaitStx; }

  private:
    enum class State { WaitStx, LengthLow, LengthHigh, Command, ChecksumLow, ChecksumHigh };

    FrameEvent reject();

    State state_ = State::WaitStx;
    std::size_t expected_ = 0;
    std::uint16_t checksum_ = 0;
    std::uint8_t checksumLow_ = 0;
    std::string command_;
};

}  // namespace quelfi::sim
