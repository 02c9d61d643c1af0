// The in-process line to the virtual Quelmar printer, for tests (sim/in_process_line.h): frames
// end at the length their header gives, and a frame the printer cannot take is answered NAK.
// A test plugs it in with `platform.plugPort("COM1", [&] { return port.connection(); })`.
#pragma once

#include "sim/in_process_line.h"
#include "sim/quelmar/quelmar_printer.h"

namespace quelfi::sim {

class InProcessPort final : public InProcessLine {
  public:
    // The printer times what it does for a while on `clock` too, until the port goes.
    InProcessPort(QuelmarPrinter& printer, platform::Platform& clock);
    ~InProcessPort() override;

    // Off while the line says so, or while the printer holds it low for a long print.
    bool ctsOn() override;

  private:
    QuelmarPrinter& printer_;
};

}  // namespace quelfi::sim
