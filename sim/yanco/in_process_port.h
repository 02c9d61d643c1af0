// The in-process line to the virtual Yanco printer, for tests (sim/in_process_line.h): a frame
// ends two bytes after its ETX, and one the printer cannot take is answered NAK. Besides the
// line's faults, the printer can be made to answer the next command with a status number.
// A test plugs it in with `platform.plugPort("COM1", [&] { return port.connection(); })`.
#pragma once

#include "sim/in_process_line.h"
#include "sim/yanco/printer.h"

namespace quelfi::sim::yanco {

class InProcessPort final : public InProcessLine {
  public:
    InProcessPort(Printer& printer, platform::Platform& clock);

    // The next command is not run; its reply carries this status (9, 10, 62, ...).
    void answerStatus(int status) { printer_.answerStatusOnce(status); }

  private:
    Printer& printer_;
};

}  // namespace quelfi::sim::yanco
