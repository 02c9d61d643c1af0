// A serial line whose far end is a script: bytes that come due at ticks of the test's clock.
// Reads keep the line's time-outs by sleeping on that clock, so a virtual clock shows exactly how
// long a read waited. Tests see what was written and which time-outs were in force.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "sim/clocked_read.h"

namespace quelfi::test {

struct SerialScript {
    std::deque<sim::DueByte> coming;  // in order of their ticks
    std::string written;
    std::vector<platform::SerialTimeouts> timeoutsSet;  // at opening and each change
    bool open = false;
    bool timeoutsRestored = false;

    // `bytes` coming due one per `everyMs` from tick `from`.
    void arrive(const std::string& bytes, std::uint32_t from, std::uint32_t everyMs = 0);
};

// A line over `script` as an opening with `settings` gives it.
std::unique_ptr<platform::SerialLine> scriptedLine(std::shared_ptr<SerialScript> script,
                                                   platform::Platform& clock,
                                                   const platform::LineSettings& settings);

}  // namespace quelfi::test
