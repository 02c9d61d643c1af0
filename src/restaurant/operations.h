// The restaurant firmware's commands: ESC, "P", a one-character operation code, then fixed-width
// fields. One table gives each operation its code, the layout of its fields and what its reply
// is; the exports' bodies check their arguments and hand the values to `commandFor`.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "protocol/command_spec.h"

namespace quelfi::restaurant {

enum class Operation {
    Registration,         // an item ordered at a table
    Cancellation,         // an item taken off a table
    ItemTransfer,         // an item moved to another table
    OpenCheck,            // the bill check of a table, left open for its closing
    Check,                // the bill check of a table with its surcharge or discount, whole
    CloseCheck,           // the closing of an open bill check
    TableTransfer,        // every item of a table moved to another
    OpenCoupon,           // the fiscal coupon of a table
    SplitBill,            // the end of a paid coupon, split among its payers
    OpenTablesReport,     // printed
    OpenTablesSerial,     // streamed back
    PrintMenu,            //
    MenuSerial,           // streamed back
    RegistrationsSerial,  // one table's registrations, streamed back
    FreeMemory,           // answered in the reply
};

enum class Fill {
    Zeros,   // digits right-aligned, zero-filled on the left
    Blanks,  // text left-aligned, blank-filled on the right
    AsIs,    // as given
};

struct Field {
    Fill fill;
    std::size_t width;
};

// The fields that follow the fixed ones where a command carries more: the customer's CPF of the
// table's coupon, and the values and CPFs of a split bill (one of each per coupon).
inline constexpr Field kCpfField{Fill::Blanks, 29};
inline constexpr Field kSplitValueField{Fill::Zeros, 14};

// A value in its field: never cut (the bodies check the widths first).
std::string formatField(const Field& field, std::string_view value);

// The command of an operation with its fixed fields formatted from `values`, in the table's
// order, and the reply it waits for: status only, the free memory as characters, or nothing (a
// streamed answer read afterwards). Values missing at the end leave their fields out.
protocol::CommandSpec commandFor(Operation operation,
                                 std::initializer_list<std::string_view> values = {});

// The same command with more fields appended as they stand (already formatted).
protocol::CommandSpec commandFor(Operation operation,
                                 std::initializer_list<std::string_view> values,
                                 const std::string& tail);

}  // namespace quelfi::restaurant
