// Wiring the layers together when the library is loaded.
#include "core/config.h"
#include "core/printer_state.h"
#include "exports/boundary.h"
#include "protocol/frame.h"
#include "protocol/presence.h"
#include "protocol/send_command.h"

namespace quelfi::exports {

namespace {

// The extended status asked while a long command runs: the status request on the
// electronic-journal prefix, which answers ST3.
int extendedStatus() {
    const int sent = protocol::sendCommand(protocol::prefixed("\x13"), 3);
    return sent == 1 ? core::state().lastReturnCode : 0;
}

void installSeams() {
    core::Seams& seams = core::state().seams;
    seams.extendedStatus = extendedStatus;
    seams.searchPorts = protocol::searchPorts;
}

}  // namespace

void libraryLoad() {
    installSeams();
    core::onLibraryLoad();
}

void libraryUnload() { core::onLibraryUnload(); }

}  // namespace quelfi::exports
