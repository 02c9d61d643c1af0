// The printer's end of the serial line: frames in, replies out. A frame with a wrong length or
// checksum, or one the line leaves unfinished, is answered NAK alone. After a download command the
// printer sends its blocks on its own time, paced at the line's rate, and takes the host's
// answers to them. Each block goes into the line whole and the printer then waits the block's
// time on the wire; the bench paces them byte by byte instead, as a real line carries them.
#pragma once

#include <chrono>
#include <vector>

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
    bool wholeWrites() const override { return !eachByte_; }
    void paceEachByte(bool eachByte) { eachByte_ = eachByte; }

    // One phase of a download on the line: its first block put on the line, and the host's
    // answer to its last block. Read once the server has stopped.
    struct DataPhase {
        std::chrono::steady_clock::time_point firstBlock, lastAnswer;
    };
    const std::vector<DataPhase>& dataPhases() const { return phases_; }

  private:
    std::string answer(const FrameEvent& event);

    QuelmarPrinter& printer_;
    FrameReader reader_;
    download::BlockSender sender_;
    unsigned baud_ = 0;
    bool eachByte_ = false;
    std::vector<DataPhase> phases_;
};

}  // namespace quelfi::sim
