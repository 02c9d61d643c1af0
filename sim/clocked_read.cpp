#include "sim/clocked_read.h"

#include "platform/serial_timing.h"

namespace quelfi::sim {
namespace {

// Tick counts wrap at 2^32; compare them by their difference.
bool reached(std::uint32_t now, std::uint32_t at) {
    return static_cast<std::int32_t>(now - at) >= 0;
}

}  // namespace

long readOnClock(platform::Platform& clock, const platform::SerialTimeouts& timeouts,
                 std::uint8_t* data, std::size_t count, const std::function<bool(DueByte&)>& next,
                 const std::function<void()>& take) {
    const std::uint32_t start = clock.tickCount();
    const platform::ReadDeadline deadline(timeouts, count, start);
    std::size_t got = 0;
    std::uint32_t lastByteAt = start;
    while (got < count) {
        const std::uint32_t now = clock.tickCount();
        DueByte due;
        const bool coming = next(due);
        if (coming && reached(now, due.dueAt)) {
            data[got++] = static_cast<std::uint8_t>(due.byte);
            take();
            lastByteAt = now;
            continue;
        }
        const std::optional<std::uint32_t> wait = deadline.waitLeft(got, lastByteAt, now);
        if (wait && *wait == 0) break;
        if (coming && (!wait || due.dueAt - now <= *wait)) {
            clock.sleep(due.dueAt - now);
            continue;
        }
        if (!wait) break;
        clock.sleep(*wait);
    }
    return static_cast<long>(got);
}

}  // namespace quelfi::sim
