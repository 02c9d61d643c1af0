// What the export table says of each export that its roads need: the name, the request-record
// number of the network-driver mode and the route on the Yanco printer. The rows are read from the
// table itself (exports/surface.inc), which is data every layer may read; the C signatures stay
// with the export layer.
#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

namespace quelfi::protocol {

// How an export travels when the INI selects the Yanco printer.
enum class YancoWay {
    Quelmar,   // nothing of its own: its Quelmar command is sent whatever the model
    Handler,   // the call is handed over to the Yanco operation named by `target`
    Commands,  // the body sends Yanco commands of its own
    Local,     // the body answers on the PC, without the printer
    Refused,   // -30 "Funcao incompativel com a impressora yanco"
};

struct YancoRoute {
    YancoWay way = YancoWay::Quelmar;
    // The Yanco operation of a Handler route; the name a Refused route's line carries when it is
    // not the export's own.
    std::string_view target;
};

struct ExportRow {
    std::string_view name;  // the exported name, as the call log writes it
    int record;             // request-record number; 0 for an export without a network step
    YancoRoute yanco;
};

// The table's Yanco column, word by word; an empty column is the Quelmar route.
#define QF_YANCO_ROUTE(route) QF_YANCO_ROUTE_##route
#define QF_YANCO_ROUTE_ \
    ::quelfi::protocol::YancoRoute {}
#define QF_YANCO_ROUTE_handler(target)                 \
    ::quelfi::protocol::YancoRoute {                   \
        ::quelfi::protocol::YancoWay::Handler, #target \
    }
#define QF_YANCO_ROUTE_commands                    \
    ::quelfi::protocol::YancoRoute {               \
        ::quelfi::protocol::YancoWay::Commands, {} \
    }
#define QF_YANCO_ROUTE_local                    \
    ::quelfi::protocol::YancoRoute {            \
        ::quelfi::protocol::YancoWay::Local, {} \
    }
#define QF_YANCO_ROUTE_refused                    \
    ::quelfi::protocol::YancoRoute {              \
        ::quelfi::protocol::YancoWay::Refused, {} \
    }
#define QF_YANCO_ROUTE_refusedAs(name)               \
    ::quelfi::protocol::YancoRoute {                 \
        ::quelfi::protocol::YancoWay::Refused, #name \
    }

inline constexpr ExportRow kExportRows[] = {
#define QF_EXPORT(record, yanco, result, name, parameters) {#name, record, QF_YANCO_ROUTE(yanco)},
#define QF_EXPORT_DECORATED(record, yanco, result, name, parameters) \
    QF_EXPORT(record, yanco, result, name, parameters)
// An alias calls its target's function, and a forwarder calls its target, which travels under
// the target's row.
#define QF_ALIAS(alias, target)
#define QF_ALIAS_DECORATED(alias, target)
#define QF_FORWARDER(name, target, parameters, arguments)
#include "exports/surface.inc"
#undef QF_EXPORT
#undef QF_EXPORT_DECORATED
#undef QF_ALIAS
#undef QF_ALIAS_DECORATED
#undef QF_FORWARDER
};

// The position of the export named `name` in the table, or the table's size when it has none.
// An index rather than a pointer: GCC's sanitizer builds cannot compare a table pointer with
// null in a constant expression.
constexpr std::size_t exportRowIndex(std::string_view name) {
    std::size_t i = 0;
    while (i < std::size(kExportRows) && kExportRows[i].name != name) ++i;
    return i;
}

// The row of the export named `name`, or null when the table has none.
constexpr const ExportRow* findExportRow(std::string_view name) {
    const std::size_t i = exportRowIndex(name);
    return i < std::size(kExportRows) ? &kExportRows[i] : nullptr;
}

// The row of an export named in the code: a name the table lacks does not compile.
consteval const ExportRow& exportRow(std::string_view name) {
    const std::size_t i = exportRowIndex(name);
    if (i == std::size(kExportRows)) throw "no export of that name in the export table";
    return kExportRows[i];
}

}  // namespace quelfi::protocol
