// A connection to a device: a serial line, the emulator's two files, or an in-process test double.
// The protocol code talks only to this interface and never names the kind of connection.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quelfi::platform {

class Port {
  public:
    virtual ~Port() = default;

    // Writes at most `size` bytes within the line's write time-out. Returns the number of bytes
    // written (0 when the time-out passed with nothing written) or -1 when the call failed.
    virtual long write(const std::uint8_t* data, std::size_t size) = 0;

    // Reads one byte, giving up after about 200 ms. False when nothing came.
    virtual bool readByte(std::uint8_t& byte) = 0;

    // The printer-ready line. A device whose modem lines cannot be read reports true.
    virtual bool ctsOn() = 0;

    // Raises the request-to-send line before a frame (the Yanco printer listens for it); nothing
    // on a device without modem lines.
    virtual void raiseRts() {}

    // Makes the bytes written so far reach the device (the emulator's command file).
    virtual void flush() {}

    // Empties the reply side so the next answer starts at its beginning (the emulator's reply
    // file); a serial line has nothing to empty.
    virtual void clearReply() {}

    // Drops bytes that arrived without being read (a reply that came after its reader gave up),
    // so that they are not taken for the answer to the next command.
    virtual void discardInput() {}
};

}  // namespace quelfi::platform
