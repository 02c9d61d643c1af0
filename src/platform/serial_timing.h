// The Windows rules of a serial line's time-outs as plain deadlines, for the backends that must
// keep them by waiting themselves (POSIX counts tenths of a second; a test line counts on a
// virtual clock).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/serial_line.h"

namespace quelfi::platform {

// One read of `count` bytes begun at tick `start`.
class ReadDeadline {
  public:
    ReadDeadline(const SerialTimeouts& timeouts, std::size_t count, std::uint32_t start);

    // How long the read may still wait for a byte once `got` bytes came, the last of them at tick
    // `lastByteAt`: no value for no limit; 0 when it ends with what came.
    std::optional<std::uint32_t> waitLeft(std::size_t got, std::uint32_t lastByteAt,
                                          std::uint32_t now) const;

  private:
    SerialTimeouts timeouts_;
    std::size_t count_;
    std::uint32_t start_;
};

// The whole limit of a write of `size` bytes; no value for no limit.
std::optional<std::uint32_t> writeLimit(const SerialTimeouts& timeouts, std::size_t size);

}  // namespace quelfi::platform
