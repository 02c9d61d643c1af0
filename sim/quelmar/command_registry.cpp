#include "sim/quelmar/command_registry.h"

namespace quelfi::sim {

void CommandRegistry::add(CommandDefinition definition) {
    std::string selector = definition.selector;
    commands_[selector] = std::move(definition);
}

CommandRegistry::Lookup CommandRegistry::find(std::string_view command,
                                              const CommandDefinition*& definition) const {
    definition = nullptr;
    if (command.size() < 2) return Lookup::Unknown;
    if (command.size() >= 3) {
        if (auto it = commands_.find(command.substr(1, 2)); it != commands_.end()) {
            definition = &it->second;
            return Lookup::Found;
        }
    }
    if (auto it = commands_.find(command.substr(1, 1)); it != commands_.end()) {
        definition = &it->second;
        return Lookup::Found;
    }
    // A family member's selector is the command byte and one more byte.
    auto family = commands_.lower_bound(command.substr(1, 1));
    const bool isFamily =
        family != commands_.end() && family->first.size() == 2 && family->first[0] == command[1];
    return isFamily && command.size() < 3 ? Lookup::MissingSelector : Lookup::Unknown;
}

void addQuery(CommandRegistry& registry, std::string selector, std::size_t dataBytes,
              DataSource source) {
    const std::size_t length = 1 + selector.size();
    registry.add({std::move(selector), length,
                  [dataBytes, source = std::move(source)](CommandContext& context) {
                      context.reply.data = source(context.model);
                      // The reply length is fixed by the command, whatever the source made.
                      context.reply.data.resize(dataBytes, '\0');
                  }});
}

}  // namespace quelfi::sim
