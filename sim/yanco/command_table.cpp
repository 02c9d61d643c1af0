#include "sim/yanco/command_table.h"

#include <algorithm>

#include "sim/yanco/codes.h"
#include "sim/yanco/layouts.h"
#include "sim/yanco/paper_layout.h"

namespace quelfi::sim::yanco {

bool CommandContext::canPrint(Printing printing) {
    if (model.mechanismError) {
        refuse(codes::kPrinterError);
    } else if (model.paper == Paper::Out) {
        refuse(codes::kOutOfPaper);
    } else if (model.paper == Paper::NearEnd && printing == Printing::Starts) {
        refuse(codes::kPaperNearEnd);
    } else {
        return true;
    }
    return false;
}

bool CommandContext::idle() {
    if (stateNumber(model) == ::quelfi::yanco::kStateIdle) return true;
    refuse(codes::kOutOfOrder);
    return false;
}

void CommandContext::print(const std::vector<std::string>& lines) {
    paper.printLines(lines);
}

int CommandContext::startDocument(std::string_view title) {
    const int coo = ++model.counters.coo;
    print(layout::heading(model, coo, title));
    return coo;
}

void CommandTable::add(CommandDefinition definition) {
    std::string start = definition.start;
    commands_[start] = std::move(definition);
}

CommandTable::Lookup CommandTable::find(std::string_view command,
                                        const CommandDefinition*& definition) const {
    definition = nullptr;
    for (std::size_t size = std::min<std::size_t>(command.size(), 3); size >= 2; --size) {
        auto it = commands_.find(command.substr(0, size));
        if (it == commands_.end()) continue;
        definition = &it->second;
        const auto& lengths = definition->lengths;
        const bool fits =
            std::find(lengths.begin(), lengths.end(), command.size()) != lengths.end();
        return fits ? Lookup::Found : Lookup::WrongLength;
    }
    return Lookup::Unknown;
}

void registerAllCommands(CommandTable& table) {
    registerSaleCommands(table);
    registerClosingCommands(table);
    registerDocumentCommands(table);
    registerDayCommands(table);
    registerQueryCommands(table);
}

}  // namespace quelfi::sim::yanco
