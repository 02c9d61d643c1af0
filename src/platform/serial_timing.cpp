#include "platform/serial_timing.h"

#include <algorithm>

namespace quelfi::platform {
namespace {

// Milliseconds left until `limit` ms after `from`; tick counts wrap at 2^32.
std::uint32_t left(std::uint64_t limit, std::uint32_t from, std::uint32_t now) {
    const std::uint32_t passed = now - from;
    return passed >= limit ? 0
                           : static_cast<std::uint32_t>(
                                 std::min<std::uint64_t>(limit - passed, kMaxTimeout - 1));
}

}  // namespace

ReadDeadline::ReadDeadline(const SerialTimeouts& timeouts, std::size_t count, std::uint32_t start)
    : timeouts_(timeouts), count_(count), start_(start) {}

std::optional<std::uint32_t> ReadDeadline::waitLeft(std::size_t got, std::uint32_t lastByteAt,
                                                    std::uint32_t now) const {
    const SerialTimeouts& t = timeouts_;
    if (t.readInterval == kMaxTimeout) {
        if (t.readMultiplier == 0 && t.readConstant == 0) return 0;
        if (t.readMultiplier == kMaxTimeout && t.readConstant != 0 && t.readConstant != kMaxTimeout)
            return got > 0 ? 0 : left(t.readConstant, start_, now);
    }
    std::optional<std::uint32_t> wait;
    if (t.readMultiplier != 0 || t.readConstant != 0) {
        const std::uint64_t total =
            static_cast<std::uint64_t>(t.readMultiplier) * count_ + t.readConstant;
        wait = left(total, start_, now);
    }
    if (got > 0 && t.readInterval != 0 && t.readInterval != kMaxTimeout) {
        const std::uint32_t quiet = left(t.readInterval, lastByteAt, now);
        wait = wait ? std::min(*wait, quiet) : quiet;
    }
    return wait;
}

std::optional<std::uint32_t> writeLimit(const SerialTimeouts& timeouts, std::size_t size) {
    if (timeouts.writeMultiplier == 0 && timeouts.writeConstant == 0) return std::nullopt;
    const std::uint64_t total =
        static_cast<std::uint64_t>(timeouts.writeMultiplier) * size + timeouts.writeConstant;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(total, kMaxTimeout - 1));
}

}  // namespace quelfi::platform
