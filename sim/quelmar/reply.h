// What a command answers. Most commands answer a framed reply (ACK, data, ST1, ST2 and, on the
// electronic-journal model, ST3); a few stream their own bytes or answer nothing at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quelfi::sim {

struct Reply {
    enum class Shape { Framed, Raw, None };

    Shape shape = Shape::Framed;
    std::string data;  // framed: the data bytes sent between ACK and the status bytes
    std::uint8_t st1 = 0;
    std::uint8_t st2 = 0;
    // The journal printer's ST3 for this reply when the command reports its own error code;
    // otherwise the printer's standing journal status.
    std::optional<std::uint16_t> st3;
    std::string raw;  // raw: sent exactly as it is (readings streamed to the host)
    // A download asked for: the stream the printer sends in blocks once the host listens.
    std::optional<std::string> download;
};

}  // namespace quelfi::sim
