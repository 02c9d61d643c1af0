// A device on a serial line as the servers see it: bytes come in, bytes go back. The servers
// (pseudo-terminal, in-process port) carry bytes; the device decides what they mean.
#pragma once

#include <string>
#include <string_view>

namespace quelfi::sim {

class ByteDevice {
  public:
    virtual ~ByteDevice() = default;

    // Takes bytes from the line; returns the bytes to send back (possibly none).
    virtual std::string receive(std::string_view bytes) = 0;

    // The line fell quiet; returns what the device sends about an unfinished message.
    virtual std::string idle() = 0;
};

}  // namespace quelfi::sim
