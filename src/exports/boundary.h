// The edge between the C callers and the library: nothing but a return code crosses it.
#pragma once

#include <exception>

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

// Installs the seams through which the lower layers reach later operations, and reads the
// configuration: what the library does when a process loads it.
void libraryLoad();
void libraryUnload();

}  // namespace quelfi::exports
