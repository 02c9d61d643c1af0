// The edge between the C callers and the library: the common call sequence's first step, the
// choice of the call's road, and nothing but a return code crossing back.
#pragma once

#include <exception>

#include "protocol/road.h"

namespace quelfi::exports {

// Runs one export's body; an exception (out of memory, a broken invariant) becomes a
// communication failure instead of crossing into the caller's C code.
template <typename F>
int guarded(F&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return 0;
    }
}

// The road a call travels, chosen from the configuration as it stands: the network-driver client
// in client mode, else the Yanco printer when the INI selects it, else the printer on this
// machine.
const protocol::Road& chosenRoad();

// Runs one export's body on the road chosen for this call.
template <typename Body>
int enter(Body&& body) noexcept {
    return guarded([&] { return body(chosenRoad()); });
}

// Reads the configuration: what the library does when a process loads it.
void libraryLoad();
void libraryUnload();

}  // namespace quelfi::exports
