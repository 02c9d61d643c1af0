// Compiled by the tests, never linked: an alias row whose target the export table lacks must stop
// the build, and the same row naming a real export must not.
#include "exports/surface.h"

#ifdef QUELFI_UNKNOWN_TARGET
constexpr auto kRow =
    quelfi::exports::detail::aliasRow("Quelmar_FI_Nothing", "Quelmar_FI_Nada", false);
#else
constexpr auto kRow =
    quelfi::exports::detail::aliasRow("Quelmar_FI_XReading", "Quelmar_FI_LeituraX", false);
#endif
static_assert(!kRow.name.empty());
