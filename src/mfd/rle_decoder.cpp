#include "mfd/rle_decoder.h"

#include <algorithm>

namespace quelfi::mfd {

bool mfdRleDecoder::put(std::uint8_t byte, std::size_t capacity, const Sink& sink) {
    buffer_.push_back(byte);
    if (buffer_.size() < capacity) return true;
    const bool written = sink(buffer_.data(), buffer_.size());
    buffer_.clear();
    return written;
}

bool mfdRleDecoder::emitRun(std::size_t capacity, const Sink& sink) {
    state_ = State::RunPending;
    while (count_ > 0) {
        const std::size_t room = capacity - buffer_.size();
        const std::size_t take = std::min<std::size_t>(room, count_);
        buffer_.insert(buffer_.end(), take, value_);
        count_ -= static_cast<std::uint32_t>(take);
        if (buffer_.size() == capacity) {
            const bool written = sink(buffer_.data(), buffer_.size());
            buffer_.clear();
            if (!written) return false;
        }
    }
    state_ = State::Normal;
    return true;
}

bool mfdRleDecoder::decode(const std::uint8_t* data, std::size_t size, std::size_t capacity,
                           const Sink& sink) {
    if (capacity == 0) capacity = 1;
    buffer_.clear();
    buffer_.reserve(capacity);
    // A run cut off by a refusing sink is not finished later: the download has failed by then.
    if (state_ == State::RunPending && !emitRun(capacity, sink)) return false;
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t byte = data[i];
        switch (state_) {
            case State::Normal:
            case State::RunPending:
                if (byte == kEscape) {
                    state_ = State::AfterEscape;
                } else if (!put(byte, capacity, sink)) {
                    return false;
                }
                break;
            case State::AfterEscape:
                if (byte == kEscape) {
                    state_ = State::Normal;
                    if (!put(kEscape, capacity, sink)) return false;
                } else if (byte == 0x00) {
                    state_ = State::CountLow;
                } else {
                    count_ = static_cast<std::uint32_t>(byte) + 1;
                    state_ = State::Value;
                }
                break;
            case State::CountLow:
                count_ = byte;
                state_ = State::CountHigh;
                break;
            case State::CountHigh:
                count_ += static_cast<std::uint32_t>(byte) * 256 + 1;
                state_ = State::Value;
                break;
            case State::Value:
                value_ = byte;
                if (!emitRun(capacity, sink)) return false;
                break;
        }
    }
    if (buffer_.empty()) return true;
    const bool written = sink(buffer_.data(), buffer_.size());
    buffer_.clear();
    return written;
}

}  // namespace quelfi::mfd
