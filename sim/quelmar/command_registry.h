// The printer's command table. Each command is one small handler registered under its selector:
// the command byte, optionally followed by the byte that picks a member of a command family (the
// information-read index, the '>' selector). The printer's dispatch only looks commands up here,
// so a new command is a new handler in its subject's file and nothing else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "sim/paper_roll.h"
#include "sim/quelmar/fiscal_model.h"
#include "sim/quelmar/reply.h"

namespace quelfi::sim {

struct CommandContext {
    FiscalModel& model;
    PaperRoll& paper;
    std::string_view command;  // prefix byte first, then the command byte and its fields
    Reply& reply;
    std::uint32_t ticks = 0;  // the line's clock when the command arrived, in milliseconds
};

using CommandHandler = std::function<void(CommandContext&)>;

struct CommandDefinition {
    std::string selector;    // "\x13", "#\x03", ">7": the bytes after the prefix that name it
    std::size_t length = 0;  // exact command length, prefix included; 0 lets the handler check
    CommandHandler handler;
};

class CommandRegistry {
  public:
    // Adds a command, replacing any earlier one with the same selector.
    void add(CommandDefinition definition);

    enum class Lookup { Found, Unknown, MissingSelector };
    // Finds the definition that takes `command` (prefix first). MissingSelector: the command byte
    // names a family but the command ends before its selector byte.
    Lookup find(std::string_view command, const CommandDefinition*& definition) const;

  private:
    std::map<std::string, CommandDefinition, std::less<>> commands_;
};

// Registers a query that answers `dataBytes` bytes of data made from the model.
using DataSource = std::function<std::string(const FiscalModel&)>;
void addQuery(CommandRegistry& registry, std::string selector, std::size_t dataBytes,
              DataSource source);

}  // namespace quelfi::sim
