// The load and unload steps of the shared library. The compiler's constructor and destructor
// sections run them on both platforms when the library is loaded into or dropped from a process.
#include "exports/boundary.h"

namespace {

__attribute__((constructor)) void onLoad() {
    try {
        quelfi::exports::libraryLoad();
    } catch (...) {
    }
}

__attribute__((destructor)) void onUnload() {
    try {
        quelfi::exports::libraryUnload();
    } catch (...) {
    }
}

}  // namespace
