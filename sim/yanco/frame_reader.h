// Takes the host's frames off the line as the Yanco printer sees them: STX, a four-digit
// sequence number, the command text, ETX, and the sum of every byte from STX to ETX as two bytes,
// high byte first. Bytes between frames are line noise and skipped. A frame whose sum or
// sequence number is wrong is rejected, and so is one the line leaves unfinished.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quelfi::sim::yanco {

struct FrameEvent {
    bool accepted = false;
    std::string sequence;  // the four digits
    std::string command;
};

class FrameReader {
  public:
    // Takes one byte; returns an event when this byte completes a frame or shows it is wrong.
    std::optional<FrameEvent> push(std::uint8_t byte);

    // The line fell quiet: a frame still waiting for bytes will never be completed.
    std::optional<FrameEvent> idle();

  private:
    enum class State { WaitStx, Sequence, Command, CheckHigh, CheckLow };

    FrameEvent reject();

    State state_ = State::WaitStx;
    std::uint16_t sum_ = 0;
    std::uint8_t checkHigh_ = 0;
    std::string sequence_;
    std::string command_;
};

// The check of a frame: every byte summed, as an unsigned 16-bit number.
std::uint16_t frameSum(std::string_view bytes);

}  // namespace quelfi::sim::yanco
