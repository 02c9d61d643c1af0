// The entry points of the Spanish names, made from their rows of the export table: each calls its
// target, which logs as it always does, and then closes the port, so a program written for the
// Spanish names leaves the port free after every call. They log nothing of their own.
#include "core/printer_state.h"
#include "exports/boundary.h"
#include "fiscal/credit_note.h"
#include "quelfi32.h"

namespace {

template <typename Target>
int closingPortAfter(Target&& target) {
    return quelfi::exports::guarded([&] {
        quelfi::core::PrinterState& s = quelfi::core::state();
        s.forwardedResult = target();
        s.forwardedCloseResult = Quelmar_FI_FechaPortaSerial();
        return s.forwardedResult;
    });
}

}  // namespace

// A Spanish name may take an argument its target has no use for (the buyer's name of the coupon
// opening).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"

extern "C" {

#define QF_EXPORT(record, yanco, result, name, parameters)
#define QF_EXPORT_DECORATED(record, yanco, result, name, parameters)
#define QF_ALIAS(alias, target)
#define QF_ALIAS_DECORATED(alias, target)
#define QF_FORWARDER(name, target, parameters, arguments)            \
    QUELFI_API int QUELFI_CALL name parameters {                     \
        return closingPortAfter([&] { return ::target arguments; }); \
    }
#include "exports/surface_aliases.inc"
#undef QF_EXPORT
#undef QF_EXPORT_DECORATED
#undef QF_ALIAS
#undef QF_ALIAS_DECORATED
#undef QF_FORWARDER

}  // extern "C"

#pragma GCC diagnostic pop

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FI_AbreNotaDeCredito(const char* t1, const char* t2,
                                                        const char* t3, const char* t4,
                                                        const char* t5, const char* t6,
                                                        const char* t7, const char* t8,
                                                        const char* t9, const char* t10) {
    return quelfi::exports::enter([=](const quelfi::protocol::Road& road) {
        return quelfi::fiscal::openCreditNote(road, {t1, t2, t3, t4, t5, t6, t7, t8, t9, t10});
    });
}

}  // extern "C"
