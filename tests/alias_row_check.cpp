// Compiled by the tests: an alias row naming an export the table lacks stops the build.
#include "exports/surface.h"
static_assert(
    !quelfi::exports::detail::aliasRow("Quelmar_FI_X", QUELFI_TARGET, false).name.empty());
