// The export surface as data, for the tools and tests that walk it.
#pragma once

#include <cstddef>
#include <string_view>

namespace quelfi::exports {

struct ExportInfo {
    int record;                   // request-record number, 0 when the export has none
    std::string_view result;      // C result type
    std::string_view name;        // exported name
    std::string_view parameters;  // C parameter list as written in the table
    bool decorated;               // exported as "_name@N" in the Windows DLL
};

inline constexpr ExportInfo kSurface[] = {
#define QF_EXPORT(record, yanco, result, name, parameters) \
    {record, #result, #name, #parameters, false},
#define QF_EXPORT_DECORATED(record, yanco, result, name, parameters) \
    {record, #result, #name, #parameters, true},
#include "exports/surface.inc"
#undef QF_EXPORT
#undef QF_EXPORT_DECORATED
};

inline constexpr std::size_t kSurfaceSize = sizeof kSurface / sizeof kSurface[0];

}  // namespace quelfi::exports
