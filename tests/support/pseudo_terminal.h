// A pseudo-terminal pair: the library opens the device side as a serial port, the test holds the
// other side and sees the bytes on the wire.
#pragma once

#include <string>

namespace quelfi::test {

class PseudoTerminal {
  public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& devicePath() const { return device_; }
    int controller() const { return controller_; }

    // Links `link` (for example "<port dir>/COM3") to the device.
    void linkAs(const std::string& link) const;
    // Bytes the library wrote, waiting up to `ms` for at least `count` of them.
    std::string read(std::size_t count, int ms = 2000) const;
    void write(const std::string& bytes) const;

  private:
    int controller_ = -1;
    std::string device_;
};

}  // namespace quelfi::test
