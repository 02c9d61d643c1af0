// The bill check of a table (whole, or opened and then closed with its surcharge or discount) and
// the move of a whole table onto another.
#include "core/printer_state.h"
#include "restaurant/operations.h"
#include "restaurant/restaurant.h"
#include "restaurant/restaurant_call.h"

namespace quelfi::restaurant {

namespace {

constexpr std::size_t kCheckValueDigits = 14;

// The surcharge or discount of a bill check: its kind and its value's digits, or the refusal
// already logged.
std::optional<int> checkAdjustment(const protocol::Call& call, const char* flag, const char* type,
                                   const char* value, std::string& kind, std::string& digits) {
    const auto flagLetter = adjustmentFlag(flag);
    if (!flagLetter) return call.fail(-2, "Parametro invalido para o flag de acrescimo/desconto");
    const std::string typeText = core::argText(type);
    if (typeText != "$" && typeText != "%")
        return call.fail(-2, "Parametro invalido para o tipo de acrescimo/desconto");
    const auto valueDigits = value ? digitsWithin(value, kCheckValueDigits) : std::nullopt;
    if (!valueDigits) return call.fail(-2, "Parametro invalido para o valor de acrescimo/desconto");
    kind = *flagLetter + typeText;
    digits = *valueDigits;
    return std::nullopt;
}

}  // namespace

int openTableCheck(const Road& road, const char* table) {
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_AbreConferenciaMesa"));
    if (!isTable(table)) return call.fail(-2, "Parametro invalido para mesa");
    call.logParameter(table);
    return call.run(commandFor(Operation::OpenCheck, {table}));
}

int checkTable(const Road& road, const char* table, const char* flag, const char* type,
               const char* value) {
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_ConferenciaMesa"));
    if (!isTable(table)) return call.fail(-2, "Parametro invalido para mesa");
    std::string kind, digits;
    if (auto refused = checkAdjustment(call, flag, type, value, kind, digits)) return *refused;
    call.logRecord(std::string(table) + "|" + flag + "|" + type + "|" + value);
    return call.run(commandFor(Operation::Check, {table, kind, digits}));
}

int closeTableCheck(const Road& road, const char* flag, const char* type, const char* value) {
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_FechaConferenciaMesa"));
    std::string kind, digits;
    if (auto refused = checkAdjustment(call, flag, type, value, kind, digits)) return *refused;
    call.logRecord(std::string(flag) + "|" + type + "|" + value);
    return call.run(commandFor(Operation::CloseCheck, {kind, digits}));
}

int transferTable(const Road& road, const char* from, const char* to) {
    const protocol::Call call =
        restaurantCall(road, protocol::exportRow("Quelmar_FIR_TransferenciaMesa"));
    if (!isTable(from)) return call.fail(-2, "Parametro invalido para mesa de origem");
    if (!isTable(to)) return call.fail(-2, "Parametro invalido para mesa de destino");
    call.logRecord(std::string(from) + "|" + to);
    return call.run(commandFor(Operation::TableTransfer, {from, to}));
}

}  // namespace quelfi::restaurant
