// The printer's end of the serial line: frames in, replies out. A frame with a wrong length or
// checksum, or one the line leaves unfinished, is answered NAK alone. After a download command the
// printer sends its blocks on its own time, paced at the line's rate, and takes the host's
// answers to them.
#pragma once

#include "sim/byte_device.h"
#include "sim/quelmar/download_sender.h"
#include "sim/quelmar/frame_reader.h"
#include "sim/quelmar/quelmar_printer.h"

namespace quelfi::sim {

class PrinterLink final : public ByteDevice {
  public:
    explicit PrinterLink(QuelmarPrinter& printer) : printer_(printer) {}

    std::string receive(std::string_view bytes) override;
    std::string idle() override;
    void lineIs(const LineShape& shape) override { baud_ = shape.baud; }
    bool paced() const override { return sender_.active(); }
    bool sending() const override { return sender_.active(); }

  private:
    std::string answer(const FrameEvent& event);

    QuelmarPrinter& printer_;
    FrameReader reader_;
    download::BlockSender sender_;
    unsigned baud_ = 0;
};

}  // namespace quelfi::sim
