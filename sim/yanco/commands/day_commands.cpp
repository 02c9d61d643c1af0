// The fiscal day: its opening ("121"), the X reading ("241", and to the line "2F"), the Z
// reduction ("221") and the fiscal memory readings ("28", and to the line "2D0").
#include "sim/setting_values.h"
#include "sim/yanco/codes.h"
#include "sim/yanco/command_table.h"
#include "sim/yanco/commands/fields.h"
#include "sim/yanco/layouts.h"
#include "sim/yanco/paper_layout.h"
#include "sim/yanco/reading_layout.h"

namespace quelfi::sim::yanco {
namespace {

namespace shared = ::quelfi::yanco;

// A reading's title as a document's heading takes it: the heading centres it itself.
std::string_view headingTitle(std::string_view centredTitle) {
    return centredTitle.substr(centredTitle.find_first_not_of(' '));
}

constexpr std::size_t kDayCommandLength = 3 + shared::kReservedField;

void print(CommandContext& c, std::vector<std::string> lines) {
    const auto foot = layout::foot(c.model);
    lines.insert(lines.end(), foot.begin(), foot.end());
    c.print(lines);
}

std::string movementLine(const Model& model) {
    return layout::spread("MOVIMENTO", model.movementDate ? setting::formatDate(*model.movementDate)
                                                          : std::string("--/--/----"));
}

void openDay(CommandContext& c) {
    if (!field::blank(c.command, 3, shared::kReservedField)) return c.refuse(codes::kBadField);
    if (c.model.dayOpen || c.model.document != Document::None) return c.refuse(codes::kOutOfOrder);
    if (!c.canPrint(Printing::Starts)) return;
    c.model.dayOpen = true;
    c.model.movementDate = c.model.clock.now().date;
    c.model.openingTotal = c.model.grandTotal;
    c.model.lastDocumentIsCoupon = false;
    c.model.counters.gnf++;
    c.startDocument("ABERTURA DO DIA");
    print(c, {movementLine(c.model),
              layout::spread(shared::kOpeningGrandTotal, layout::amount(c.model.openingTotal))});
}

void xReading(CommandContext& c) {
    if (!field::blank(c.command, 3, shared::kReservedField)) return c.refuse(codes::kBadField);
    if (!c.idle() || !c.canPrint(Printing::Starts)) return;
    c.model.counters.gnf++;
    c.model.lastDocumentIsCoupon = false;
    c.startDocument(headingTitle(shared::kXReadingTitle));
    std::vector<std::string> lines{movementLine(c.model)};
    for (const std::string& line : layout::daySections(c.model)) lines.push_back(line);
    print(c, lines);
}

void xReadingToLine(CommandContext& c) {
    c.answer.lines = layout::lineReadingTop(c.model, shared::kXReadingTitle);
    c.answer.lines.push_back(movementLine(c.model));
    for (const std::string& line : layout::daySections(c.model)) c.answer.lines.push_back(line);
    c.answer.linesAfterStatus = true;
}

// The day is closed into a record of the fiscal memory and its totals start again; the next
// day waits for its opening.
void reduction(CommandContext& c) {
    if (!field::blank(c.command, 3, shared::kReservedField)) return c.refuse(codes::kBadField);
    Model& m = c.model;
    if (!m.dayOpen || m.document != Document::None) return c.refuse(codes::kOutOfOrder);
    if (fiscalMemoryFull(m)) return c.refuse(codes::kFiscalMemoryFull);
    if (!c.canPrint(Printing::Starts)) return;
    m.counters.crz++;
    const int coo = c.startDocument(headingTitle(shared::kReductionTitle));
    std::vector<std::string> lines{layout::spread(shared::kCrz, layout::digits(m.counters.crz, 4)),
                                   movementLine(m)};
    for (const std::string& line : layout::daySections(m)) lines.push_back(line);
    print(c, lines);
    m.reductions.push_back({m.counters.crz, coo, m.clock.now(),
                            m.movementDate.value_or(m.clock.now().date), m.openingTotal,
                            m.grandTotal, m.day});
    m.day = DayTotals{};
    for (PaymentForm& form : m.paymentForms) form.dayTotal = 0;
    m.dayOpen = false;
    m.movementDate.reset();
    m.openingTotal = m.grandTotal;
    m.lastDocumentIsCoupon = false;
}

// "28" from 2, "2D0" from 3: the first and last date (DDMMYY), the first and last reduction
// (4 digits each), and '0' to read by date or '1' by reduction.
std::optional<layout::ReadingRange> readingRange(std::string_view command, std::size_t at) {
    layout::ReadingRange range;
    const char mode = command[at + 20];
    const auto firstCrz = field::number(command, at + 12, 4);
    const auto lastCrz = field::number(command, at + 16, 4);
    if (mode == '0') {
        const auto first = field::date(command, at, 6);
        const auto last = field::date(command, at + 6, 6);
        if (!first || !last || *last < *first || firstCrz != 0 || lastCrz != 0) return std::nullopt;
        range.first = *first;
        range.last = *last;
        return range;
    }
    if (mode != '1' || field::number(command, at, 12) != 0 || !firstCrz || !lastCrz ||
        *firstCrz < 1 || *lastCrz < *firstCrz)
        return std::nullopt;
    range.byDate = false;
    range.firstCrz = static_cast<int>(*firstCrz);
    range.lastCrz = static_cast<int>(*lastCrz);
    return range;
}

void fiscalMemoryReading(CommandContext& c) {
    const auto range = readingRange(c.command, 2);
    if (!range) return c.refuse(codes::kBadField);
    if (c.model.document != Document::None) return c.refuse(codes::kOutOfOrder);
    if (!c.canPrint(Printing::Starts)) return;
    c.model.counters.gnf++;
    c.model.lastDocumentIsCoupon = false;
    c.startDocument(headingTitle(shared::kFiscalMemoryTitle));
    print(c, layout::fiscalMemory(c.model, *range));
}

void fiscalMemoryToLine(CommandContext& c) {
    const auto range = readingRange(c.command, 3);
    if (!range) return c.refuse(codes::kBadField);
    c.answer.lines = layout::lineReadingTop(c.model, shared::kFiscalMemoryTitle);
    for (const std::string& line : layout::fiscalMemoryOwner(c.model))
        c.answer.lines.push_back(line);
    for (const std::string& line : layout::fiscalMemory(c.model, *range))
        c.answer.lines.push_back(line);
}

}  // namespace

void registerDayCommands(CommandTable& table) {
    table.add({std::string(codes::kOpenDay), {kDayCommandLength}, openDay});
    table.add({std::string(codes::kXReading), {kDayCommandLength}, xReading});
    table.add({std::string(codes::kXReadingToLine), {2}, xReadingToLine});
    table.add({std::string(codes::kReduction), {kDayCommandLength}, reduction});
    table.add({std::string(codes::kFiscalMemoryReading),
               {2 + shared::kReadingRangeLength},
               fiscalMemoryReading});
    table.add({std::string(codes::kFiscalMemoryToLine),
               {3 + shared::kReadingRangeLength},
               fiscalMemoryToLine});
}

}  // namespace quelfi::sim::yanco
