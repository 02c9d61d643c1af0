// The restaurant firmware (03.20): "P" and an operation code. Orders are kept per table in the
// table memory; bill checks, the open-tables report and the menu are printed as non-fiscal
// documents; the serial variants stream their text back up to ETX. Other firmware does not know
// the command.
#include <cstdio>

#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/day_support.h"
#include "sim/quelmar/commands/restaurant_support.h"
#include "sim/quelmar/commands/sale_support.h"
#include "sim/quelmar/fiscal_day.h"
#include "sim/quelmar/restaurant_codes.h"
#include "sim/quelmar/restaurant_layout.h"
#include "sim/quelmar/wire_fields.h"

namespace quelfi::sim {
namespace {

namespace rc = codes::restaurant;
using restaurant::fieldsOf;
using restaurant::tableField;
using sale::digits;
using sale::invalidParameter;
using sale::refuse;
using sale::trimmed;
using sale::wrongLength;

// Table (4), unit price (8), flag (1), its value (8), quantity (6), code (14), description (17),
// rate code (2); a transfer adds the destination table (4).
constexpr std::size_t kItemFields = 60;
constexpr std::size_t kTableField = 4;
// Flag, kind ('$' or '%') and value (14) of a bill check's surcharge or discount.
constexpr std::size_t kAdjustmentFields = 16;
constexpr int kMostPercent = 9999;  // hundredths

bool restaurantFirmware(const FiscalModel& m) {
    return m.firmware[0] == rc::kFirmware[0] && m.firmware[1] == rc::kFirmware[1];
}

struct Order {
    int table = 0;
    TableItem item;
};

// The fields of a registration; nothing, with the reply saying why, when they cannot be taken.
std::optional<Order> readOrder(CommandContext& c, std::string_view f) {
    const auto table = tableField(f.substr(0, 4));
    const auto price = digits(f.substr(4, 8));
    const char flag = f[12];
    const auto value = digits(f.substr(13, 8));
    const auto quantity = digits(f.substr(21, 6));
    const std::string description = trimmed(f.substr(41, 17));
    if (!table || !price || *price == 0 || (flag != rc::kSurcharge && flag != rc::kDiscount) ||
        !value || !quantity || *quantity == 0 || *quantity > kMostPerRegistration ||
        description.empty()) {
        invalidParameter(c.reply);
        return std::nullopt;
    }
    const std::string_view rate = f.substr(58, 2);
    if (!restaurant::rateTaken(c, rate)) return std::nullopt;
    Order order{*table,
                {std::string(f.substr(27, 14)), description, std::string(rate), *quantity, *price,
                 flag == rc::kDiscount ? -*value : *value}};
    if (sim::itemValue(order.item, c.model.truncation) <= 0) {
        invalidParameter(c.reply);
        return std::nullopt;
    }
    return order;
}

// Commits a change of the tables when the memory holds it; refused otherwise.
void commitFloor(CommandContext& c, RestaurantFloor next) {
    if (registrations(next) > kTableMemory) return refuse(c.reply);
    c.model.restaurant = std::move(next);
}

void registerItem(CommandContext& c) {
    const std::string_view f = fieldsOf(c);
    if (f.size() != kItemFields) return wrongLength(c.reply);
    const auto order = readOrder(c, f);
    if (!order) return;
    RestaurantFloor next = c.model.restaurant;
    addToTable(next, order->table, order->item);
    commitFloor(c, std::move(next));
}

// Only what the table holds can be taken off it.
void cancelItem(CommandContext& c) {
    const std::string_view f = fieldsOf(c);
    if (f.size() != kItemFields) return wrongLength(c.reply);
    const auto order = readOrder(c, f);
    if (!order) return;
    if (!takeFromTable(c.model.restaurant, order->table, order->item, c.model.truncation))
        refuse(c.reply, codes::kSt2CancellationNotAllowed);
}

void moveItem(CommandContext& c) {
    const std::string_view f = fieldsOf(c);
    if (f.size() != kItemFields + kTableField) return wrongLength(c.reply);
    const auto order = readOrder(c, f);
    if (!order) return;
    const auto to = tableField(f.substr(kItemFields));
    if (!to || *to == order->table) return invalidParameter(c.reply);
    RestaurantFloor next = c.model.restaurant;
    if (!takeFromTable(next, order->table, order->item, c.model.truncation))
        return refuse(c.reply, codes::kSt2CancellationNotAllowed);
    addToTable(next, *to, order->item);
    commitFloor(c, std::move(next));
}

void moveTable(CommandContext& c) {
    const std::string_view f = fieldsOf(c);
    if (f.size() != 2 * kTableField) return wrongLength(c.reply);
    const auto from = tableField(f.substr(0, 4));
    const auto to = tableField(f.substr(4, 4));
    if (!from || !to || *from == *to) return invalidParameter(c.reply);
    if (!findTable(c.model.restaurant, *from)) return refuse(c.reply);
    RestaurantFloor next = c.model.restaurant;
    sim::moveTable(next, *from, *to);
    commitFloor(c, std::move(next));
}

// A printed document of its own: not while another is open, nor while the day waits for its
// reduction, nor without paper.
bool refusedForDocument(CommandContext& c) {
    if (sale::refusedWithoutPaper(c)) return true;
    if (c.model.document == DocumentState::None && !reductionPending(c.model)) return false;
    refuseNow(c.model, c.reply);
    return true;
}

// Starts a non-fiscal document and gives its COO.
int startDocument(FiscalModel& m) {
    const int coo = takeCoo(m);
    ++m.counters.gnf;
    return coo;
}

struct Adjustment {
    Money value = 0;  // surcharge (+) or discount (-)
    std::optional<int> percent;
};

// Flag, kind and value of a bill check's surcharge or discount on `subtotal`.
std::optional<Adjustment> readAdjustment(CommandContext& c, std::string_view f, Money subtotal) {
    const char flag = f[0], kind = f[1];
    const auto value = digits(f.substr(2, 14));
    const bool byPercent = kind == rc::kByPercentage;
    if ((flag != rc::kSurcharge && flag != rc::kDiscount) || (kind != rc::kByValue && !byPercent) ||
        !value || (byPercent && *value > kMostPercent)) {
        invalidParameter(c.reply);
        return std::nullopt;
    }
    Adjustment adjustment;
    adjustment.value = *value;
    if (byPercent) {
        adjustment.percent = static_cast<int>(*value);
        adjustment.value = percentOf(subtotal, *adjustment.percent, c.model.truncation);
    }
    if (flag == rc::kDiscount) {
        if (adjustment.value >= subtotal) {
            invalidParameter(c.reply);
            return std::nullopt;
        }
        adjustment.value = -adjustment.value;
    }
    return adjustment;
}

// The table alone opens the check; with a surcharge or discount it is printed whole. The table
// stays open either way.
void tableCheck(CommandContext& c) {
    FiscalModel& m = c.model;
    const std::string_view f = fieldsOf(c);
    if (f.size() != kTableField && f.size() != kTableField + kAdjustmentFields)
        return wrongLength(c.reply);
    const auto number = tableField(f.substr(0, 4));
    if (!number) return invalidParameter(c.reply);
    const RestaurantTable* table = findTable(m.restaurant, *number);
    if (!table) return refuse(c.reply);
    std::optional<Adjustment> adjustment;
    if (f.size() > kTableField) {
        adjustment = readAdjustment(c, f.substr(kTableField), tableTotal(*table, m.truncation));
        if (!adjustment) return;
    }
    if (refusedForDocument(c)) return;
    const int coo = startDocument(m);
    c.paper.printLines(layout::tableCheckOpening(m, coo, *table));
    if (adjustment) {
        c.paper.printLines(
            layout::tableCheckClosing(m, *table, adjustment->value, adjustment->percent));
    } else {
        m.restaurant.openCheck = *number;
    }
}

void closeTableCheck(CommandContext& c) {
    FiscalModel& m = c.model;
    const std::string_view f = fieldsOf(c);
    if (f.size() != kAdjustmentFields) return wrongLength(c.reply);
    if (!m.restaurant.openCheck) return refuseNow(m, c.reply);
    const RestaurantTable* held = findTable(m.restaurant, *m.restaurant.openCheck);
    const RestaurantTable table = held ? *held : RestaurantTable{*m.restaurant.openCheck, {}};
    const auto adjustment = readAdjustment(c, f, tableTotal(table, m.truncation));
    if (!adjustment) return;
    if (sale::refusedWithoutPaper(c)) return;
    m.restaurant.openCheck.reset();
    c.paper.printLines(layout::tableCheckClosing(m, table, adjustment->value, adjustment->percent));
}

void openTablesReport(CommandContext& c) {
    const std::string_view f = fieldsOf(c);
    if (f.size() != 1) return wrongLength(c.reply);
    if (f[0] != '0' && f[0] != '1') return invalidParameter(c.reply);
    if (refusedForDocument(c)) return;
    const int coo = startDocument(c.model);
    c.paper.printLines(layout::openTablesReport(c.model, coo, f[0] == '1'));
}

void printMenu(CommandContext& c) {
    if (!fieldsOf(c).empty()) return wrongLength(c.reply);
    if (refusedForDocument(c)) return;
    const int coo = startDocument(c.model);
    c.paper.printLines(layout::menu(c.model, coo));
}

void freeMemory(CommandContext& c) {
    if (!fieldsOf(c).empty()) return wrongLength(c.reply);
    const std::size_t used = registrations(c.model.restaurant);
    char text[16];
    std::snprintf(text, sizeof text, "%04zu", used < kTableMemory ? kTableMemory - used : 0);
    c.reply.data = text;
}

// A streamed answer: ACK, the status bytes, then the text and ETX. A refused command sends no
// text; on the electronic-journal model, whose host reads on to ETX, the ETX alone.
void answerStream(CommandContext& c, const std::string& text) {
    const FiscalModel& m = c.model;
    const StatusBytes standing = standingStatus(m);
    const auto st1 = static_cast<std::uint8_t>(c.reply.st1 | standing.st1);
    const auto st2 = static_cast<std::uint8_t>(c.reply.st2 | standing.st2);
    std::string raw{static_cast<char>(codes::kAck), static_cast<char>(st1), static_cast<char>(st2)};
    if (m.electronicJournal) raw += wire::word(m.journalStatus);
    const bool refused = c.reply.st2 != 0 || c.reply.st1 != 0;
    if (!refused) raw += text;
    if (!refused || m.electronicJournal) raw += static_cast<char>(codes::kEtx);
    c.reply.shape = Reply::Shape::Raw;
    c.reply.raw = std::move(raw);
}

void streamOpenTables(CommandContext& c) {
    if (!fieldsOf(c).empty()) wrongLength(c.reply);
    answerStream(c, layout::tablesText(c.model, c.model.restaurant.tables));
}

void streamMenu(CommandContext& c) {
    if (!fieldsOf(c).empty()) wrongLength(c.reply);
    answerStream(c, layout::menuText(c.model));
}

void streamTable(CommandContext& c) {
    const std::string_view f = fieldsOf(c);
    const auto number = f.size() == kTableField ? tableField(f) : std::nullopt;
    const RestaurantTable* table = number ? findTable(c.model.restaurant, *number) : nullptr;
    if (f.size() != kTableField) {
        wrongLength(c.reply);
    } else if (!number) {
        invalidParameter(c.reply);
    } else if (!table) {
        refuse(c.reply);
    }
    answerStream(c, table ? layout::tablesText(c.model, {*table}) : std::string());
}

struct Operation {
    char code;
    CommandHandler handler;
    bool streamed = false;
};

const Operation kOperations[] = {
    {rc::kRegisterItem, registerItem},
    {rc::kCancelItem, cancelItem},
    {rc::kMoveItem, moveItem},
    {rc::kMoveTable, moveTable},
    {rc::kTableCheck, tableCheck},
    {rc::kCloseTableCheck, closeTableCheck},
    {rc::kOpenTableCoupon, restaurant::openTableCoupon},
    {rc::kSplitBill, restaurant::splitBill},
    {rc::kOpenTablesReport, openTablesReport},
    {rc::kPrintMenu, printMenu},
    {rc::kFreeMemory, freeMemory},
    {rc::kOpenTablesStream, streamOpenTables, true},
    {rc::kMenuStream, streamMenu, true},
    {rc::kTableStream, streamTable, true},
};

void restaurantCommand(CommandContext& c) {
    if (!restaurantFirmware(c.model)) {
        c.reply.st1 |= codes::kSt1UnknownCommand;
        return;
    }
    if (c.command.size() < 3) return wrongLength(c.reply);
    for (const Operation& operation : kOperations) {
        if (operation.code != c.command[2]) continue;
        // A bill check waiting for its closing takes nothing else of the restaurant's.
        if (c.model.restaurant.openCheck && operation.code != rc::kCloseTableCheck) {
            refuseNow(c.model, c.reply);
            if (operation.streamed) answerStream(c, {});
            return;
        }
        return operation.handler(c);
    }
    c.reply.st1 |= codes::kSt1UnknownCommand;
}

}  // namespace

void registerRestaurantCommands(CommandRegistry& registry) {
    registry.add({std::string(1, static_cast<char>(rc::kRestaurant)), 0, restaurantCommand});
}

}  // namespace quelfi::sim
