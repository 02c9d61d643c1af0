// Pieces shared by the sale handlers: the refusals and the fixed-width fields of the commands.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sim/quelmar/codes.h"
#include "sim/quelmar/command_registry.h"

namespace quelfi::sim::sale {

// The command is not executed: ST2 value 1 and the bits of the reason.
inline void refuse(Reply& reply, std::uint8_t st2Reason = 0, std::uint8_t st1Reason = 0) {
    reply.st2 |= static_cast<std::uint8_t>(codes::kSt2NotExecuted | st2Reason);
    reply.st1 |= st1Reason;
}

inline void refuse(Reply& reply, const StatusBytes& reason) {
    refuse(reply, reason.st2, reason.st1);
}

// The command's length fits none of its forms.
inline void wrongLength(Reply& reply) {
    reply.st1 |= codes::kSt1WrongParameterCount;
}

inline void invalidParameter(Reply& reply) {
    refuse(reply, codes::kSt2InvalidParameter);
}

// A field of decimal digits as a number; nothing when it holds anything else.
inline std::optional<std::int64_t> digits(std::string_view field) {
    if (field.empty() || field.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// A text field without the blanks and zero bytes that fill it on the right.
inline std::string trimmed(std::string_view field) {
    while (!field.empty() && (field.back() == ' ' || field.back() == '\0')) field.remove_suffix(1);
    return std::string(field);
}

// Nothing is printed without paper: the printing steps are refused.
inline bool refusedWithoutPaper(CommandContext& c) {
    if (c.model.paper != PaperState::Out) return false;
    refuse(c.reply);
    return true;
}

}  // namespace quelfi::sim::sale
