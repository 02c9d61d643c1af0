// The export surface as data, for the tools and tests that walk it.
#pragma once

#include <cstddef>
#include <string_view>

namespace quelfi::exports {

struct ExportInfo {
    int record;                        // request-record number, 0 when the export has none
    std::string_view result;           // C result type
    std::string_view name;             // exported name
    std::string_view parameters;       // C parameter list as written in the table
    bool decorated;                    // exported as "_name@N" in the Windows DLL
    std::string_view target;           // an alias: the export whose function it names; else empty
    std::string_view forwardsTo = {};  // a forwarder: the export it calls; else empty
};

namespace detail {

// The exports with functions of their own, without the alias rows.
inline constexpr ExportInfo kFunctions[] = {
#define QF_EXPORT(record, yanco, result, name, parameters) \
    {record, #result, #name, #parameters, false, {}},
#define QF_EXPORT_DECORATED(record, yanco, result, name, parameters) \
    {record, #result, #name, #parameters, true, {}},
#define QF_ALIAS(alias, target)
#define QF_ALIAS_DECORATED(alias, target)
#define QF_FORWARDER(name, target, parameters, arguments) \
    {0, "int", #name, #parameters, false, {}, #target},
#include "exports/surface.inc"
#undef QF_EXPORT
#undef QF_EXPORT_DECORATED
#undef QF_ALIAS
#undef QF_ALIAS_DECORATED
#undef QF_FORWARDER
};

// An alias row: the target's signature under the alias's name. A target the table lacks does not
// compile.
consteval ExportInfo aliasRow(std::string_view name, std::string_view target, bool decorated) {
    for (const ExportInfo& f : kFunctions)
        if (f.name == target) return {0, f.result, name, f.parameters, decorated, target};
    throw "an alias names an export the table lacks";
}

// A forwarder's row; a target the table lacks does not compile.
consteval ExportInfo forwarderRow(std::string_view name, std::string_view target,
                                  std::string_view parameters) {
    for (const ExportInfo& f : kFunctions)
        if (f.name == target) return {0, "int", name, parameters, false, {}, target};
    throw "a forwarder names an export the table lacks";
}

}  // namespace detail

inline constexpr ExportInfo kSurface[] = {
#define QF_EXPORT(record, yanco, result, name, parameters) \
    {record, #result, #name, #parameters, false, {}},
#define QF_EXPORT_DECORATED(record, yanco, result, name, parameters) \
    {record, #result, #name, #parameters, true, {}},
#define QF_ALIAS(alias, target) detail::aliasRow(#alias, #target, false),
#define QF_ALIAS_DECORATED(alias, target) detail::aliasRow(#alias, #target, true),
#define QF_FORWARDER(name, target, parameters, arguments) \
    detail::forwarderRow(#name, #target, #parameters),
#include "exports/surface.inc"
#undef QF_EXPORT
#undef QF_EXPORT_DECORATED
#undef QF_ALIAS
#undef QF_ALIAS_DECORATED
#undef QF_FORWARDER
};

inline constexpr std::size_t kSurfaceSize = sizeof kSurface / sizeof kSurface[0];

}  // namespace quelfi::exports
