// The printer's end of the serial line: frames in, replies out. A frame with a wrong length or
// checksum, or one the line leaves unfinished, is answered NAK alone.
#pragma once

#include "sim/byte_device.h"
#include "sim/quelmar/frame_reader.h"
#include "sim/quelmar/quelmar_printer.h"

namespace quelfi::sim {

class PrinterLink final : public ByteDevice {
  public:
    explicit PrinterLink(QuelmarPrinter& printer) : printer_(printer) {}

    std::string receive(std::string_view bytes) override;
    std::string idle() override;

  private:
    std::string answer(const FrameEvent& event);

    QuelmarPrinter& printer_;
    FrameReader reader_;
};

}  // namespace quelfi::sim
