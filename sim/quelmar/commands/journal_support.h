// Pieces shared by the journal printer's own commands: the refusal of the models without an
// electronic journal, and the consumer's identification that several documents carry.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/quelmar/codes.h"
#include "sim/quelmar/command_registry.h"
#include "sim/quelmar/commands/sale_support.h"

namespace quelfi::sim::mfd {

// A model without an electronic journal does not know the command.
inline bool unknownHere(CommandContext& c) {
    if (c.model.electronicJournal) return false;
    c.reply.st1 |= codes::kSt1UnknownCommand;
    return true;
}

// The consumer's identification after a command's own fields: nothing at all, the CPF/CNPJ (29),
// it and the name (30), or all three with the address (80). Fields are filled with blanks or zero
// bytes; a field of zero bytes is absent. Nothing when the length fits no form.
inline std::optional<Consumer> customerBlock(std::string_view fields) {
    constexpr std::size_t kId = 29, kName = 30, kAddress = 80;
    if (fields.size() != 0 && fields.size() != kId && fields.size() != kId + kName &&
        fields.size() != kId + kName + kAddress)
        return std::nullopt;
    auto field = [&fields](std::size_t from, std::size_t width) {
        return fields.size() > from ? sale::trimmed(fields.substr(from, width)) : std::string();
    };
    return Consumer{field(0, kId), field(kId, kName), field(kId + kName, kAddress)};
}

}  // namespace quelfi::sim::mfd
