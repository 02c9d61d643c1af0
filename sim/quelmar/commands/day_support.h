// Pieces shared by the handlers of the day's documents: reading their fixed-width fields, finding
// a programmed name, and the ways the printer refuses a command.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/quelmar/codes.h"
#include "sim/quelmar/fiscal_model.h"
#include "sim/quelmar/reply.h"

namespace quelfi::sim {

// A field of decimal digits as a number; nothing when it holds anything else.
inline std::optional<std::int64_t> wireNumber(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// DDMMYY, the century being this one.
inline std::optional<CivilDate> wireDate(std::string_view field) {
    if (field.size() != 6) return std::nullopt;
    const auto day = wireNumber(field.substr(0, 2));
    const auto month = wireNumber(field.substr(2, 2));
    const auto year = wireNumber(field.substr(4, 2));
    if (!day || !month || !year) return std::nullopt;
    const CivilDate date{2000 + static_cast<int>(*year), static_cast<int>(*month),
                         static_cast<int>(*day)};
    if (!isValid(date)) return std::nullopt;
    return date;
}

// DDMMYYHHMMSS.
inline std::optional<DateTime> wireDateTime(std::string_view field) {
    if (field.size() != 12) return std::nullopt;
    const auto date = wireDate(field.substr(0, 6));
    const auto hour = wireNumber(field.substr(6, 2));
    const auto minute = wireNumber(field.substr(8, 2));
    const auto second = wireNumber(field.substr(10, 2));
    if (!date || !hour || !minute || !second) return std::nullopt;
    const DateTime moment{*date, static_cast<int>(*hour), static_cast<int>(*minute),
                          static_cast<int>(*second)};
    if (!isValid(moment)) return std::nullopt;
    return moment;
}

// A blank-filled name field without its fill.
inline std::string fieldText(std::string_view field) {
    const std::size_t end = field.find_last_not_of(' ');
    return std::string(end == std::string_view::npos ? std::string_view()
                                                     : field.substr(0, end + 1));
}

// The slot of the payment form with this name; nothing when none has it.
inline std::optional<std::size_t> paymentFormSlot(const FiscalModel& m, const std::string& name) {
    for (std::size_t i = 0; i < m.paymentForms.size(); ++i)
        if (m.paymentForms[i].name == name) return i;
    return std::nullopt;
}

// A command whose fields the printer cannot read: not executed.
inline void refuseFields(Reply& reply) {
    reply.st2 |= codes::kSt2InvalidParameter | codes::kSt2NotExecuted;
}

// A command of the wrong length.
inline void refuseLength(Reply& reply) {
    reply.st1 |= codes::kSt1WrongParameterCount;
}

// A command the printer cannot carry out in its present state (a document open, the day closed):
// not executed, and the coupon reported when that is what is open.
inline void refuseNow(const FiscalModel& m, Reply& reply) {
    reply.st2 |= codes::kSt2NotExecuted;
    if (couponOpen(m)) reply.st1 |= codes::kSt1CouponOpen;
}

}  // namespace quelfi::sim
