#include "core/printer_state.h"

#include "platform/never_destroyed.h"

namespace quelfi::core {

PrinterState& state() {
    static platform::NeverDestroyed<PrinterState> instance;
    return instance.get();
}

void resetState() {
    PrinterState& s = state();
    if (s.answerFileHandle) std::fclose(s.answerFileHandle);
    platform::Platform* keepPlatform = s.platform;
    s = PrinterState{};
    s.platform = keepPlatform;
}

}  // namespace quelfi::core
