// The journal download's own hold on the printer's serial port: it closes the library's ordinary
// connection and drives the line itself, at 9600 baud for its commands and 115200 for the data.
// The operating system stays behind the platform's serial line, so the one class serves Windows
// and POSIX alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/serial_line.h"

namespace quelfi::mfd {

class CSerialInterface {
  public:
    explicit CSerialInterface(std::string deviceName) : deviceName_(std::move(deviceName)) {}
    CSerialInterface(const CSerialInterface&) = delete;
    CSerialInterface& operator=(const CSerialInterface&) = delete;

    // True when the port is open and configured.
    virtual bool open(std::uint32_t baud) = 0;
    // True when closed.
    virtual bool close() = 0;
    // True when every byte was written. The line's own time-outs bound the write.
    virtual bool write(const std::uint8_t* bytes, std::size_t count, std::uint32_t timeoutMs) = 0;
    // Reads up to `count` bytes; `received` says how many came (fewer when the line fell quiet).
    // True when the line could be read, whatever came.
    virtual bool read(std::uint8_t* bytes, std::size_t count, std::uint32_t timeoutMs,
                      std::size_t& received) = 0;
    // True when both directions were emptied.
    virtual bool purge() = 0;

    const std::string& deviceName() const { return deviceName_; }

  protected:
    // Never deleted through the base.
    ~CSerialInterface() = default;

  private:
    std::string deviceName_;
};

class CWinSerialInterface final : public CSerialInterface {
  public:
    explicit CWinSerialInterface(std::string deviceName)
        : CSerialInterface(std::move(deviceName)) {}
    ~CWinSerialInterface();

    // `baud`, 8 data bits, no parity, two stop bits, no CTS or DSR flow, DTR low, RTS high,
    // XON/XOFF as the port had them, 64 KiB driver queues, both directions emptied. A port still
    // open from before is closed first.
    bool open(std::uint32_t baud) override;
    // Lets waiting output leave, puts the port's own time-outs back and closes.
    bool close() override;
    bool write(const std::uint8_t* bytes, std::size_t count, std::uint32_t timeoutMs) override;
    // The first byte is awaited at most 2000 ms; after it the read goes on while bytes keep
    // coming and ends once the line has been quiet for 10 ms, or when `count` came.
    bool read(std::uint8_t* bytes, std::size_t count, std::uint32_t timeoutMs,
              std::size_t& received) override;
    bool purge() override;

    // The device name while open, "" while closed.
    const std::string& openName() const { return openName_; }

  private:
    bool useTimeouts(const platform::SerialTimeouts& timeouts);

    std::unique_ptr<platform::SerialLine> line_;
    platform::SerialTimeouts current_;
    std::uint32_t baud_ = 9600;
    std::string openName_;
};

}  // namespace quelfi::mfd
