#include "sim/yanco/frame_reader.h"

#include "sim/yanco/codes.h"

namespace quelfi::sim::yanco {

std::uint16_t frameSum(std::string_view bytes) {
    std::uint16_t sum = 0;
    for (char c : bytes) sum = static_cast<std::uint16_t>(sum + static_cast<std::uint8_t>(c));
    return sum;
}

std::optional<FrameEvent> FrameReader::push(std::uint8_t byte) {
    if (state_ != State::CheckHigh && state_ != State::CheckLow)
        sum_ = static_cast<std::uint16_t>(sum_ + byte);
    switch (state_) {
        case State::WaitStx:
            if (byte != codes::kStx) {
                sum_ = 0;
                return std::nullopt;
            }
            sequence_.clear();
            command_.clear();
            state_ = State::Sequence;
            return std::nullopt;
        case State::Sequence:
            sequence_ += static_cast<char>(byte);
            if (byte < '0' || byte > '9') return reject();
            if (sequence_.size() == 4) state_ = State::Command;
            return std::nullopt;
        case State::Command:
            if (byte == codes::kEtx) {
                state_ = State::CheckHigh;
            } else if (command_.size() == codes::kMaxCommandBytes) {
                return reject();
            } else {
                command_ += static_cast<char>(byte);
            }
            return std::nullopt;
        case State::CheckHigh:
            checkHigh_ = byte;
            state_ = State::CheckLow;
            return std::nullopt;
        case State::CheckLow: {
            const auto sent = static_cast<std::uint16_t>(checkHigh_ << 8 | byte);
            if (sent != sum_) return reject();
            state_ = State::WaitStx;
            sum_ = 0;
            return FrameEvent{true, std::move(sequence_), std::move(command_)};
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
    sum_ = 0;
    sequence_.clear();
    command_.clear();
    return FrameEvent{};
}

}  // namespace quelfi::sim::yanco
