// A serial line opened with settings of its own (a scale's, the journal download's), beside the
// printer's port. Time-outs keep their Windows meaning on every system, so one set of numbers
// says the same thing to the Win32 driver, to the POSIX backend and to a test's in-process line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace quelfi::platform {

// A time-out field's "no limit" mark, as the Windows driver spells it.
inline constexpr std::uint32_t kMaxTimeout = 0xFFFFFFFFu;

// Milliseconds. A read's total limit is multiplier x bytes asked + constant (none when both are
// 0); the interval limits the silence between two bytes once the first has come. An interval of
// kMaxTimeout with both totals 0 returns at once with what is there; with the multiplier also
// kMaxTimeout and a constant between, it waits at most the constant for a first byte and returns
// as soon as anything came. A write's total limit is multiplier x bytes + constant.
struct SerialTimeouts {
    std::uint32_t readInterval = 0;
    std::uint32_t readMultiplier = 0;
    std::uint32_t readConstant = 0;
    std::uint32_t writeMultiplier = 0;
    std::uint32_t writeConstant = 0;

    bool operator==(const SerialTimeouts&) const = default;
};

enum class Parity { None, Odd, Even, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };

// What an opening sets. An item left empty stays as the port had it.
struct LineSettings {
    std::uint32_t baud = 9600;
    int dataBits = 8;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    bool ctsFlow = false;               // output waits for CTS
    bool dsrFlow = false;               // output waits for DSR
    bool dtr = false;                   // DTR raised while open
    bool rts = false;                   // RTS raised while open
    std::optional<bool> xonXoffOutput;  // output stops on XOFF from the device
    std::optional<bool> xonXoffInput;   // the driver sends XOFF/XON as its queue fills
    std::optional<char> xonChar;
    std::optional<char> xoffChar;
    std::optional<bool> parityCheck;
    std::optional<bool> continueOnXoff;  // output goes on after the driver sent XOFF
    std::optional<bool> dsrSensitivity;  // input ignored while DSR is low
    std::uint32_t inputQueue = 0;        // driver queue sizes in bytes; 0 leaves them
    std::uint32_t outputQueue = 0;
    SerialTimeouts timeouts;

    bool operator==(const LineSettings&) const = default;
};

class SerialLine {
  public:
    // Closes the line when it is still open.
    virtual ~SerialLine() = default;

    // Writes within the write time-outs: the bytes written, or -1 when the call failed.
    virtual long write(const std::uint8_t* data, std::size_t size) = 0;
    // Reads up to `count` bytes within the read time-outs: the bytes that came (0 when the line
    // stayed silent), or -1 when the call failed.
    virtual long read(std::uint8_t* data, std::size_t count) = 0;
    // Drops what waits in both directions; clears a line error first.
    virtual bool purge() = 0;

    virtual bool setTimeouts(const SerialTimeouts& timeouts) = 0;
    // Puts back the time-outs the port had before this opening.
    virtual bool restoreTimeouts() = 0;

    // Lets what still waits to go out leave (within the write time-outs), then closes. True when
    // closed; closing a closed line does nothing and is true.
    virtual bool close() = 0;
};

}  // namespace quelfi::platform
