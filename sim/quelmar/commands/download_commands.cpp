// The journal download's commands, ESC on both models: the journal model answers and then sends
// the asked stream in blocks; a printer without journal, an unknown user or a reversed range is
// refused with "not executed", as is a range with nothing in it.
#include <cstdlib>

#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/download_streams.h"

namespace quelfi::sim {
namespace {

constexpr std::size_t kDateAt = 3;
constexpr std::size_t kCooAt = 3;

int number(std::string_view text) {
    return std::atoi(std::string(text).c_str());
}

// DDMMAA, the century the printer's.
CivilDate shortDate(std::string_view text) {
    return {2000 + number(text.substr(4, 2)), number(text.substr(2, 2)), number(text.substr(0, 2))};
}

std::string selector(std::uint8_t command, char member = 0) {
    std::string out(1, static_cast<char>(command));
    if (member) out += member;
    return out;
}

// Runs `stream` for a journal printer; anything else is refused, and so is a range with nothing
// in it: a phase ends on a short block of data, and an empty one would have none.
void answer(CommandContext& c, bool allowed, const std::function<std::string()>& stream) {
    std::string bytes = c.model.electronicJournal && allowed ? stream() : std::string();
    if (bytes.empty()) {
        c.reply.st2 |= codes::kSt2NotExecuted;
        return;
    }
    c.reply.download = std::move(bytes);
}

}  // namespace

void registerDownloadCommands(CommandRegistry& registry) {
    registry.add({selector(codes::kDownloadFiscalMemory), 2, [](CommandContext& c) {
                      answer(c, true, [&] { return download::fiscalMemoryStream(c.model); });
                  }});
    registry.add(
        {selector(codes::kDownloadJournal, codes::kJournalWhole), 3, [](CommandContext& c) {
             answer(c, true, [&] { return download::journalStream(c.model); });
         }});
    registry.add(
        {selector(codes::kDownloadJournal, codes::kJournalByDate), 15, [](CommandContext& c) {
             const CivilDate first = shortDate(c.command.substr(kDateAt, 6));
             const CivilDate last = shortDate(c.command.substr(kDateAt + 6, 6));
             answer(c, !(last < first),
                    [&] { return download::journalByDate(c.model, first, last); });
         }});
    registry.add(
        {selector(codes::kDownloadJournal, codes::kJournalByCoo), 18, [](CommandContext& c) {
             const int first = number(c.command.substr(kCooAt, 6));
             const int last = number(c.command.substr(kCooAt + 6, 6));
             // Users are numbered from 1, one more with each change of owner.
             const int user = number(c.command.substr(kCooAt + 12, 3));
             const bool known = user >= 1 && user <= c.model.counters.ownerSubstitutions + 1;
             answer(c, known && first <= last,
                    [&] { return download::journalByCoo(c.model, first, last); });
         }});
}

}  // namespace quelfi::sim
