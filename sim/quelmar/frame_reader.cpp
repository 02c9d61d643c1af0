#include "sim/quelmar/frame_reader.h"

#include "sim/quelmar/codes.h"

namespace quelfi::sim {

std::optional<FrameEvent> FrameReader::push(std::uint8_t byte) {
    switch (state_) {
        case State::WaitStx:
            if (byte == codes::kStx) state_ = State::LengthLow;
            return std::nullopt;
        case State::LengthLow:
            expected_ = byte;
            state_ = State::LengthHigh;
            return std::nullopt;
        case State::LengthHigh: {
            const std::size_t field = expected_ | static_cast<std::size_t>(byte) << 8;
            // The field counts the command bytes plus 2; a frame carries at least one byte.
            if (field < 3 || field - 2 > codes::kMaxCommandBytes) return reject();
            expected_ = field - 2;
            command_.clear();
            checksum_ = 0;
            state_ = State::Command;
            return std::nullopt;
        }
        case State::Command:
            command_ += static_cast<char>(byte);
            checksum_ = static_cast<std::uint16_t>(checksum_ + byte);
            if (command_.size() == expected_) state_ = State::ChecksumLow;
            return std::nullopt;
        case State::ChecksumLow:
            checksumLow_ = byte;
            state_ = State::ChecksumHigh;
            return std::nullopt;
        case State::ChecksumHigh: {
            const std::uint16_t sent = static_cast<std::uint16_t>(checksumLow_ | byte << 8);
            if (sent != checksum_) return reject();
            state_ = State::WaitStx;
            return FrameEvent{true, std::move(command_)};
        }
    }
    return std::nullopt;
}

std::optional<FrameEvent> FrameReader::idle() {
    if (state_ == State::WaitStx) return std::nullopt;
    return reject();
}

FrameEvent FrameReader::reject() {
    state_ = State::WaitStx;
    command_.clear();
    return FrameEvent{};
}

}  // namespace quelfi::sim
