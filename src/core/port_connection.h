// Opening and closing the connection to the printer: a serial port named in the INI, chosen by
// index, found by the automatic search, or the emulator's two files.
#pragma once

#include <string>

namespace quelfi::core {

// The two steps of an opening that are not the connection's own but the road's it is made on.
class OpeningSteps {
  public:
    // The automatic search of COM1..COM8 for the port name "DEFAULT": the opening's result.
    virtual int searchPorts() const = 0;
    // A serial port has just been opened by name: what follows, up to and including the closing
    // line "Retorno Quelmar_FI_AbrePortaSerial: ..."; the opening's result.
    virtual int afterOpened() const = 0;

  protected:
    ~OpeningSteps() = default;
};

// The opening export's whole behaviour: 1, -4, -5, or what the road's steps give.
int openPort(const OpeningSteps& steps);
// The opening's lines without opening anything (the client of the network mode): always 1.
int openNothing();
// The opening's closing line "Retorno Quelmar_FI_AbrePortaSerial: 1", and 1.
int finishOpened();
// Closes the port. Always 1.
int closePort();

// Opens `name` as a serial port with the printer's line settings; on success the port is the
// state's connection and portOpen is 1. Used by the opening by name and by the port search.
bool openSerialByName(const std::string& name);

// Runs `operation` with nestedCall set, restoring it afterwards.
template <typename F>
auto nested(F&& operation);

}  // namespace quelfi::core

#include "core/printer_state.h"

template <typename F>
auto quelfi::core::nested(F&& operation) {
    struct Restore {
        int saved;
        ~Restore() { state().nestedCall = saved; }
    } restore{state().nestedCall};
    state().nestedCall = 1;
    return operation();
}
