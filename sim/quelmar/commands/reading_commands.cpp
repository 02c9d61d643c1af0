// The readings: the X reading of the day's totals, and the fiscal memory's records for a range of
// movement dates or of reduction numbers, in full ('I') or short ('i'); both also streamed to the
// host instead of printed ('E'; 'R' in full, 'r' short): ACK, the status bytes, the text, ETX. A
// streamed fiscal-memory reading ends with its daily reductions in a form the host can read back.
#include "sim/quelmar/code_page.h"
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/day_support.h"
#include "sim/quelmar/day_layout.h"
#include "sim/quelmar/fiscal_day.h"
#include "sim/quelmar/receipt_layout.h"
#include "sim/quelmar/setting_values.h"
#include "sim/quelmar/wire_fields.h"

namespace quelfi::sim {
namespace {

// Prefix, command byte, twelve digits of range, the form letter.
constexpr std::size_t kReadingLength = 15;

void append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

constexpr char kStreamedX = 'E';

// The reading's lines to the host rather than to the paper; a refused reading sends no text.
void stream(CommandContext& c, const std::vector<std::string>& lines) {
    const FiscalModel& m = c.model;
    const StatusBytes standing = standingStatus(m);
    std::string raw{static_cast<char>(codes::kAck), static_cast<char>(c.reply.st1 | standing.st1),
                    static_cast<char>(c.reply.st2 | standing.st2)};
    if (m.electronicJournal) raw += wire::word(m.journalStatus);
    for (const std::string& line : lines) raw += utf8ToPrinter(line) + "\r\n";
    raw += static_cast<char>(codes::kEtx);
    c.reply.shape = Reply::Shape::Raw;
    c.reply.raw = std::move(raw);
}

void readX(CommandContext& c) {
    FiscalModel& m = c.model;
    const bool streamed = c.command[1] == kStreamedX;
    if (m.document != DocumentState::None) {
        refuseNow(m, c.reply);
        if (streamed) stream(c, {});
        return;
    }
    const int coo = takeCoo(m);
    std::vector<std::string> lines = layout::heading(m, coo, "LEITURA X");
    append(lines, layout::dayTotals(m, grandTotalBefore(m, m.reductions.size())));
    append(lines, layout::foot(m));
    if (streamed) return stream(c, lines);
    c.paper.printLines(lines);
}

// Which reductions a reading takes, and how its heading names the range.
struct Selection {
    std::string title;
    std::function<bool(const Reduction&)> takes;
};

// Reduction numbers travel behind "00", a day no date has; anything else is a pair of dates.
std::optional<Selection> selection(std::string_view range) {
    const std::string_view first = range.substr(0, 6);
    const std::string_view last = range.substr(6, 6);
    const bool byNumber = first.substr(0, 2) == "00" && last.substr(0, 2) == "00";
    if (byNumber) {
        const auto from = wireNumber(first.substr(2));
        const auto to = wireNumber(last.substr(2));
        // A final number 0 reads up to the last reduction.
        if (!from || !to || *from < 1 || (*to != 0 && *to < *from)) return std::nullopt;
        const int low = static_cast<int>(*from);
        const int high = *to == 0 ? 9999 : static_cast<int>(*to);
        return Selection{"REDUÇÕES " + layout::counter(low, 4) + " A " +
                             (*to == 0 ? std::string("ÚLTIMA") : layout::counter(high, 4)),
                         [low, high](const Reduction& z) { return z.crz >= low && z.crz <= high; }};
    }
    const auto from = wireDate(first);
    const auto to = wireDate(last);
    if (!from || !to || *to < *from) return std::nullopt;
    return Selection{"PERÍODO " + setting::formatDate(*from) + " A " + setting::formatDate(*to),
                     [from = *from, to = *to](const Reduction& z) {
                         return z.movementDate >= from && z.movementDate <= to;
                     }};
}

std::string amount(Money value) {
    return layout::money(value);
}

// The streamed reading's own section, one block per reduction, in the form the host's SINTEGRA
// export reads: "CRZ:", "COO:" and "DATA:" open a block; "GT:", each ICMS rate as its four digits
// and "=", "ISS=", and the marks "c=", "d=", "F=", "I=", "N=" follow.
std::vector<std::string> dailyReductions(const FiscalModel& m,
                                         const std::vector<std::size_t>& taken) {
    std::vector<std::string> lines = {"REDUÇÕES DIÁRIAS",
                                      "CRO:" + layout::counter(m.counters.cro, 4)};
    Money period = 0;
    for (const std::size_t i : taken) {
        const Reduction& z = m.reductions[i];
        const DayTotals& t = z.totals;
        lines.push_back("CRZ:" + layout::counter(z.crz, 4) + " COO:" + layout::counter(z.coo, 6) +
                        " DATA:" + setting::formatDate(z.movementDate));
        lines.push_back("GT:" + amount(z.grandTotal));
        Money iss = 0;
        for (const TaxRate& rate : z.rates) {
            if (rate.binding == TaxBinding::Iss) {
                iss += rate.dayTotal;
                continue;
            }
            lines.push_back(layout::counter(rate.hundredths, 4) + "=" + amount(rate.dayTotal));
        }
        lines.push_back("ISS=" + amount(iss));
        lines.push_back("c=" + amount(t.icmsCancellations + t.issCancellations) +
                        " d=" + amount(t.icmsDiscounts + t.issDiscounts) +
                        " F=" + amount(t.icmsSubstitution + t.issSubstitution) +
                        " I=" + amount(t.icmsExempt + t.issExempt) +
                        " N=" + amount(t.icmsNonIncidence + t.issNonIncidence));
        period += z.grandTotal - grandTotalBefore(m, i);
    }
    lines.push_back("Total do Período " + amount(period));
    lines.push_back("TOTAL DO USUARIO " + amount(period));
    return lines;
}

void readFiscalMemory(CommandContext& c) {
    FiscalModel& m = c.model;
    const char form = c.command[kReadingLength - 1];
    const bool streamed = form == 'R' || form == 'r';
    const bool full = form == 'I' || form == 'R';
    const auto chosen = selection(c.command.substr(2, 12));
    if ((!streamed && form != 'i' && !full) || !chosen) {
        refuseFields(c.reply);
        if (streamed) stream(c, {});
        return;
    }
    if (m.document != DocumentState::None) {
        refuseNow(m, c.reply);
        if (streamed) stream(c, {});
        return;
    }

    const int coo = takeCoo(m);
    std::vector<std::string> lines = layout::heading(m, coo, "LEITURA DA MEMÓRIA FISCAL");
    if (m.trainingMode) lines.push_back(layout::centred("M O D O   T R E I N A M E N T O"));
    lines.push_back(layout::centred(chosen->title));
    int count = 0;
    Money sales = 0;
    std::vector<std::size_t> taken;
    for (std::size_t i = 0; i < m.reductions.size(); ++i) {
        const Reduction& z = m.reductions[i];
        if (!chosen->takes(z)) continue;
        taken.push_back(i);
        const Money before = grandTotalBefore(m, i);
        lines.push_back(layout::rule());
        append(lines, layout::reductionRecord(z, before, full));
        ++count;
        sales += z.grandTotal - before;
    }
    lines.push_back(layout::rule());
    lines.push_back(layout::spread("REDUÇÕES NO PERÍODO", layout::counter(count, 4)));
    lines.push_back(layout::spread("VENDA BRUTA NO PERÍODO", layout::money(sales)));
    if (streamed) append(lines, dailyReductions(m, taken));
    append(lines, layout::foot(m));
    if (streamed) return stream(c, lines);
    c.paper.printLines(lines);
}

}  // namespace

void registerReadingCommands(CommandRegistry& registry) {
    registry.add({"\x06", 2, readX});
    registry.add({std::string(1, kStreamedX), 2, readX});
    registry.add({"\x08", kReadingLength, readFiscalMemory});
}

}  // namespace quelfi::sim
