#include "restaurant/operations.h"

#include <span>

#include "fiscal/argument_format.h"
#include "protocol/frame.h"
#include "restaurant/restaurant_layouts.h"

namespace quelfi::restaurant {

namespace {

using enum Fill;

constexpr char kRestaurantCommand = 'P';

enum class ReplyKind {
    Status,      // ACK, ST1, ST2
    FreeMemory,  // the free registrations as characters before the status
    Stream,      // nothing here: the text is read up to ETX after the command
};

// Table (4), unit price (8), surcharge/discount flag (1) and value (8), quantity (6, three
// decimals), code (14), description (17), rate code (2).
constexpr Field kItemFields[] = {{Zeros, 4}, {Zeros, 8},  {AsIs, 1},    {Zeros, 8},
                                 {Zeros, 6}, {Zeros, 14}, {Blanks, 17}, {Zeros, 2}};
// The same, then the destination table.
constexpr Field kItemTransferFields[] = {{Zeros, 4},   {Zeros, 8}, {AsIs, 1},
                                         {Zeros, 8},   {Zeros, 6}, {Zeros, 14},
                                         {Blanks, 17}, {Zeros, 2}, {Zeros, 4}};
constexpr Field kTable[] = {{Zeros, 4}};
constexpr Field kTwoTables[] = {{Zeros, 4}, {Zeros, 4}};
// Flag and type ("D%", "A$"), then the value.
constexpr Field kCheckFields[] = {{Zeros, 4}, {AsIs, 2}, {Zeros, 14}};
constexpr Field kCloseCheckFields[] = {{AsIs, 2}, {Zeros, 14}};
constexpr Field kCouponCount[] = {{Zeros, 2}};
constexpr Field kReportType[] = {{AsIs, 0}};

struct OperationRow {
    Operation operation;
    char code;
    std::span<const Field> fields;
    int busyClass = 0;
    ReplyKind reply = ReplyKind::Status;
};

// clang-format off
constexpr OperationRow kOperations[] = {
    {Operation::Registration,        '0', kItemFields},
    {Operation::Cancellation,        '1', kItemFields},
    {Operation::OpenCheck,           '2', kTable},
    {Operation::Check,               '2', kCheckFields},
    {Operation::CloseCheck,          ':', kCloseCheckFields},
    {Operation::TableTransfer,       '3', kTwoTables},
    // The printer prints the table's whole order before it answers.
    {Operation::OpenCoupon,          '4', kTable, 1},
    {Operation::SplitBill,           ';', kCouponCount},
    {Operation::ItemTransfer,        '5', kItemTransferFields},
    {Operation::OpenTablesReport,    '6', kReportType},
    {Operation::OpenTablesSerial,    '<', {}, 0, ReplyKind::Stream},
    {Operation::PrintMenu,           '7', {}},
    {Operation::MenuSerial,          '=', {}, 0, ReplyKind::Stream},
    {Operation::RegistrationsSerial, '>', kTable, 0, ReplyKind::Stream},
    {Operation::FreeMemory,          '8', {}, 0, ReplyKind::FreeMemory},
};
// clang-format on

const OperationRow& rowOf(Operation operation) {
    for (const OperationRow& row : kOperations)
        if (row.operation == operation) return row;
    return kOperations[0];  // every operation has its row
}

}  // namespace

std::string formatField(const Field& field, std::string_view value) {
    switch (field.fill) {
        case Zeros:
            return fiscal::zeroFill(value, field.width);
        case Blanks:
            return fiscal::blankFill(value, field.width);
        case AsIs:
            break;
    }
    return std::string(value);
}

protocol::CommandSpec commandFor(Operation operation,
                                 std::initializer_list<std::string_view> values) {
    return commandFor(operation, values, {});
}

protocol::CommandSpec commandFor(Operation operation,
                                 std::initializer_list<std::string_view> values,
                                 const std::string& tail) {
    const OperationRow& row = rowOf(operation);
    // Always ESC: the restaurant commands have no electronic-journal form.
    std::string command{protocol::kEsc, kRestaurantCommand, row.code};
    auto value = values.begin();
    for (const Field& field : row.fields) {
        if (value == values.end()) break;
        command += formatField(field, *value++);
    }
    protocol::CommandSpec spec;
    switch (row.reply) {
        case ReplyKind::Status:
            break;
        case ReplyKind::FreeMemory:
            spec = protocol::query({}, 1 + static_cast<int>(layouts::kFreeMemoryDigits) + 2, 2);
            break;
        case ReplyKind::Stream:
            spec.replyLength = 0;
            break;
    }
    spec.command = command + tail;
    spec.busyClass = row.busyClass;
    return spec;
}

}  // namespace quelfi::restaurant
