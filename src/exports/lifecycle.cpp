// What the library does when a process loads and unloads it.
#include "core/config.h"
#include "exports/boundary.h"

namespace quelfi::exports {

void libraryLoad() {
    core::onLibraryLoad();
}

void libraryUnload() {
    core::onLibraryUnload();
}

}  // namespace quelfi::exports
