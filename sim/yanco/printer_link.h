// The Yanco printer's end of the serial line: frames in, reply frames out. A frame with a wrong
// sum or sequence number, or one the line leaves unfinished, is answered NAK alone.
#pragma once

#include "sim/byte_device.h"
#include "sim/yanco/frame_reader.h"
#include "sim/yanco/printer.h"

namespace quelfi::sim::yanco {

class PrinterLink final : public ByteDevice {
  public:
    explicit PrinterLink(Printer& printer) : printer_(printer) {}

    std::string receive(std::string_view bytes) override;
    std::string idle() override;

  private:
    std::string answer(const FrameEvent& event);

    Printer& printer_;
    FrameReader reader_;
};

}  // namespace quelfi::sim::yanco
