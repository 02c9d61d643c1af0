// A line whose printer side is a byte string: whatever the library writes is taken, and the bytes
// it reads are the given reply, with gaps (reads that yield nothing) and a ready line that drops
// as the harness asks. Reads never wait; the library's own waits do, on the virtual clock.
#pragma once

#include <cstddef>
#include <string>

#include "platform/port.h"

namespace quelfi::fuzz {

struct LineBehaviour {
    std::size_t gapEvery = 0;     // after this many bytes read, a gap (0: never)
    std::size_t gapReads = 0;     // reads that yield nothing in each gap
    std::size_t ctsLowEvery = 0;  // after this many ready-line reads, it reads low (0: never)
    std::size_t ctsLowReads = 0;  // for this many reads
    bool writesFail = false;      // every write reports failure
};

class FeedPort final : public platform::Port {
  public:
    FeedPort(std::string reply, LineBehaviour behaviour)
        : reply_(std::move(reply)), behaviour_(behaviour) {}

    long write(const std::uint8_t*, std::size_t size) override {
        if (behaviour_.writesFail) return -1;
        written_ += size;
        return static_cast<long>(size);
    }
    bool readByte(std::uint8_t& byte) override {
        if (gapLeft_ > 0) return --gapLeft_, false;
        if (at_ >= reply_.size()) return false;
        byte = static_cast<std::uint8_t>(reply_[at_++]);
        if (tally_ != nullptr) *tally_ = at_;
        if (behaviour_.gapEvery != 0 && at_ % behaviour_.gapEvery == 0)
            gapLeft_ = behaviour_.gapReads;
        return true;
    }
    bool ctsOn() override {
        if (ctsLowLeft_ > 0) return --ctsLowLeft_, false;
        if (behaviour_.ctsLowEvery != 0 && ++ctsReads_ % behaviour_.ctsLowEvery == 0) {
            ctsLowLeft_ = behaviour_.ctsLowReads;
            return ctsLowLeft_ == 0;
        }
        return true;
    }

    std::size_t bytesRead() const { return at_; }
    // Keeps the count of bytes read in `tally` too, for a harness whose port the library may
    // close (and destroy) before the harness looks.
    void countReadsInto(std::size_t& tally) { tally_ = &tally; }
    std::size_t bytesWritten() const { return written_; }

  private:
    std::string reply_;
    LineBehaviour behaviour_;
    std::size_t at_ = 0;
    std::size_t gapLeft_ = 0;
    std::size_t ctsReads_ = 0;
    std::size_t ctsLowLeft_ = 0;
    std::size_t written_ = 0;
    std::size_t* tally_ = nullptr;
};

}  // namespace quelfi::fuzz
