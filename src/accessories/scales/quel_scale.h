// A price-computing scale on a serial port of its own: asked once with ENQ, it answers STX, a
// frame of fixed fields and ETX. The models differ in their line settings and in where their
// fields lie; the asking, the waits and the port's life are the same for both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/serial_line.h"

namespace quelfi::accessories {

class QuelScale {
  public:
    QuelScale() = default;
    virtual ~QuelScale();
    QuelScale(const QuelScale&) = delete;
    QuelScale& operator=(const QuelScale&) = delete;

    // Each field is copied to `out` without a terminator (a null `out` is skipped); false when the
    // frame is too short for it. A model without the field writes nothing and answers true.
    virtual bool total(char* out) const;
    virtual bool unitPrice(char* out) const;
    virtual bool weight(char* out) const = 0;

    // Asks once: ENQ, a pause, STX, then every byte up to ETX as the frame.
    virtual bool requestFrame();
    virtual bool closePort();
    // The name must be exactly four characters ("COM1" ... "COM9").
    virtual bool open(const std::string& portName);

    // Opens the port, asks, and hands out the weight, the unit price and the total, stopping at
    // the first that fails; the port is closed on every way out.
    virtual bool query(const std::string& portName, char* weight, char* price, char* total);

  protected:
    // The model's own line settings over the common ones.
    virtual void setLineParameters(platform::LineSettings& line) const = 0;

    // Copies `width` frame bytes from `first`; false when the frame ends before them.
    bool copyField(std::size_t first, std::size_t width, char* out, bool blanksToZero) const;

    std::uint32_t baud() const { return baud_; }

  private:
    std::unique_ptr<platform::SerialLine> port_;
    std::uint32_t baud_ = 2400;
    std::string frame_;
};

}  // namespace quelfi::accessories
