// A device on a serial line as the servers see it: bytes come in, bytes go back. The servers
// (pseudo-terminal, in-process port) carry bytes; the device decides what they mean.
#pragma once

#include <string>
#include <string_view>

namespace quelfi::sim {

// How the host has set its end of the line. A pseudo-terminal keeps the rate and the stop bits
// it is given but always shows 8 data bits without parity.
struct LineShape {
    unsigned baud = 0;
    int dataBits = 8;
    char parity = 'N';    // 'N', 'E', 'O', 'M' or 'S'
    double stopBits = 1;  // 1, 1.5 or 2

    bool operator==(const LineShape&) const = default;
    // Line time of one byte: start bit, data, parity, stop bits.
    double byteMilliseconds() const;
};

class ByteDevice {
  public:
    virtual ~ByteDevice() = default;

    // Takes bytes from the line; returns the bytes to send back (possibly none).
    virtual std::string receive(std::string_view bytes) = 0;

    // The line fell quiet; returns what the device sends about an unfinished message.
    virtual std::string idle() = 0;

    // The line as the host set it, told before each receive to a device that cares.
    virtual void lineIs(const LineShape&) {}
    // A slow device's answers leave at the line's rate, byte after byte; others all at once.
    virtual bool paced() const { return false; }
    // A paced answer goes into the line in one write and the line's time for it passes after:
    // the host finds it whole, so no pause of the server's thread can cut it in two.
    virtual bool wholeWrites() const { return false; }
    // The device has something to send on its own time (a download's blocks): the server asks
    // idle() every few milliseconds of quiet while this holds.
    virtual bool sending() const { return false; }
};

}  // namespace quelfi::sim
