// Wiring the layers together when the library is loaded.
#include <optional>

#include "core/config.h"
#include "core/printer_state.h"
#include "exports/boundary.h"
#include "fiscal/queries.h"
#include "protocol/presence.h"
#include "protocol/status.h"

namespace quelfi::exports {

namespace {

// The extended status asked while a long command runs: the electronic journal's status export,
// which leaves ST3 in the state. Anything but an answer counts as a failed query.
int extendedStatus() {
    std::optional<protocol::StatusAnswer> answer;
    const int result = protocol::verifyPrinterStateMfd(answer);
    return answer && (result == 1 || result == -27) ? result : 0;
}

void installSeams() {
    core::Seams& seams = core::state().seams;
    seams.fiscalFlags = fiscal::fiscalFlagsForStatus;
    seams.extendedStatus = extendedStatus;
    seams.searchPorts = protocol::searchPorts;
}

}  // namespace

void libraryLoad() {
    installSeams();
    core::onLibraryLoad();
}

void libraryUnload() {
    core::onLibraryUnload();
}

}  // namespace quelfi::exports
