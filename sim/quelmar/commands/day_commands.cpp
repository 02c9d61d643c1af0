// The Z reduction: the day's totals printed and written into the fiscal memory, the day cleared.
// The long form carries a date and time to which the clock is set once the day is closed.
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/day_support.h"
#include "sim/quelmar/day_layout.h"
#include "sim/quelmar/fiscal_day.h"
#include "sim/quelmar/receipt_layout.h"

namespace quelfi::sim {
namespace {

constexpr std::size_t kPlainLength = 2;
constexpr std::size_t kClockFields = 12;

void reduce(CommandContext& c) {
    FiscalModel& m = c.model;
    std::optional<DateTime> newClock;
    if (c.command.size() != kPlainLength) {
        if (c.command.size() != kPlainLength + kClockFields) return refuseLength(c.reply);
        newClock = wireDateTime(c.command.substr(kPlainLength));
        if (!newClock) return refuseFields(c.reply);
    }
    // One reduction a day, none while a document is open or the memory has no room.
    if (m.document != DocumentState::None || reductionDoneToday(m) || fiscalMemoryFull(m))
        return refuseNow(m, c.reply);

    const int coo = takeCoo(m);
    FiscalModel day = m;
    const Reduction& z = reduceDay(m);
    day.counters.crz = z.crz;
    std::vector<std::string> lines = layout::heading(day, coo, "REDUÇÃO Z");
    const auto totals = layout::dayTotals(day, grandTotalBefore(m, m.reductions.size() - 1));
    lines.insert(lines.end(), totals.begin(), totals.end());
    const auto foot = layout::foot(day);
    lines.insert(lines.end(), foot.begin(), foot.end());
    c.paper.printLines(lines);

    // Writing the journal and the fiscal memory takes the electronic-journal model a while.
    if (m.electronicJournal) startLongCommand(m, c.ticks + kReductionBusyMs);
    if (newClock) m.clock.set(*newClock);
}

}  // namespace

void registerDayCommands(CommandRegistry& registry) {
    registry.add({"\x05", 0, reduce});
}

}  // namespace quelfi::sim
