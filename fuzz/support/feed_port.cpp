#include "support/feed_port.h"

namespace quelfi::fuzz {

long FeedPort::write(const std::uint8_t*, std::size_t size) {
    if (behaviour_.writesFail) return -1;
    written_ += size;
    return static_cast<long>(size);
}

bool FeedPort::readByte(std::uint8_t& byte) {
    if (gapLeft_ > 0) {
        --gapLeft_;
        return false;
    }
    if (at_ >= reply_.size()) return false;
    byte = static_cast<std::uint8_t>(reply_[at_++]);
    if (behaviour_.gapEvery != 0 && at_ % behaviour_.gapEvery == 0) gapLeft_ = behaviour_.gapReads;
    return true;
}

bool FeedPort::ctsOn() {
    if (ctsLowLeft_ > 0) {
        --ctsLowLeft_;
        return false;
    }
    ++ctsReads_;
    if (behaviour_.ctsLowEvery != 0 && ctsReads_ % behaviour_.ctsLowEvery == 0) {
        ctsLowLeft_ = behaviour_.ctsLowReads;
        return ctsLowLeft_ == 0;
    }
    return true;
}

}  // namespace quelfi::fuzz
