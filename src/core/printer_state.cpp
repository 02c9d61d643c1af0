#include "core/printer_state.h"

namespace quelfi::core {

PrinterState& state() {
    static PrinterState instance;
    return instance;
}

void resetState() {
    PrinterState& s = state();
    if (s.answerFileHandle) std::fclose(s.answerFileHandle);
    platform::Platform* keepPlatform = s.platform;
    s = PrinterState{};
    s.platform = keepPlatform;
}

}  // namespace quelfi::core
