// Opening and closing the connection to the printer: a serial port named in the INI, chosen by
// index, found by the automatic search, or the emulator's two files.
#pragma once

#include <string>

namespace quelfi::core {

// The opening export's whole behaviour: 1, 0 (Yanco start of day not sent), -4, -5.
int openPort();
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
