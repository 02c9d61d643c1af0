// A read from a line whose bytes come due at ticks of a clock (a test's virtual one), kept to a
// serial line's time-outs: it sleeps on the clock until the next byte is due or the time-outs end
// the read, as a real driver waits on the wire.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "platform/platform.h"

namespace quelfi::sim {

struct DueByte {
    char byte = 0;
    std::uint32_t dueAt = 0;  // tick from which it can be read
};

// `next` tells the first byte not yet read (false: no more will come); `take` consumes it.
// Returns the bytes read. A line without any time-out gives up once no byte is coming rather
// than hang.
long readOnClock(platform::Platform& clock, const platform::SerialTimeouts& timeouts,
                 std::uint8_t* data, std::size_t count, const std::function<bool(DueByte&)>& next,
                 const std::function<void()>& take);

}  // namespace quelfi::sim
