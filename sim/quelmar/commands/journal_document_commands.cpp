// The journal printer's named management reports (01 from the factory, 02-30 named by the
// owner), and what may follow a bound receipt: its reprint, its second copy and its reversal,
// each once and only while nothing else has been issued since it.
#include <algorithm>

#include "sim/quelmar/code_page.h"
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/day_support.h"
#include "sim/quelmar/commands/journal_support.h"
#include "sim/quelmar/coupon_layout.h"
#include "sim/quelmar/fiscal_day.h"
#include "sim/quelmar/journal_layout.h"
#include "sim/quelmar/receipt_layout.h"

namespace quelfi::sim {
namespace {

using sale::digits;

constexpr std::size_t kReportNameWidth = 17;

// The report's number (2) and its name (17).
void nameReport(CommandContext& c) {
    if (mfd::unknownHere(c)) return;
    FiscalModel& m = c.model;
    const auto report = digits(c.command.substr(2, 2));
    const std::string name = sale::trimmed(c.command.substr(4));
    if (!report || *report < 2 || *report > static_cast<std::int64_t>(kManagementReports) ||
        name.empty())
        return refuseFields(c.reply);
    if (m.document != DocumentState::None) return refuseNow(m, c.reply);
    m.reports[static_cast<std::size_t>(*report - 1)].name = name;
}

// The report's number (2); a report not named is refused.
void openReport(CommandContext& c) {
    if (mfd::unknownHere(c)) return;
    FiscalModel& m = c.model;
    const auto report = digits(c.command.substr(2));
    if (!report || *report < 1 || *report > static_cast<std::int64_t>(kManagementReports) ||
        m.reports[static_cast<std::size_t>(*report - 1)].name.empty())
        return refuseFields(c.reply);
    if (sale::refusedWithoutPaper(c)) return;
    if (m.document != DocumentState::None || reductionPending(m)) return refuseNow(m, c.reply);
    const int coo = takeCoo(m);
    ++m.counters.gnf;
    ++m.counters.grg;
    ++m.reports[static_cast<std::size_t>(*report - 1)].count;
    m.document = DocumentState::ManagementReport;
    c.paper.printLines(layout::reportOpening(m, coo, static_cast<int>(*report)));
}

// The last bound receipt, when what follows it may still refer to it.
LastBoundReceipt* followable(CommandContext& c) {
    FiscalModel& m = c.model;
    LastBoundReceipt& b = m.lastBound;
    if (sale::refusedWithoutPaper(c)) return nullptr;
    if (m.document != DocumentState::None || reductionPending(m) || b.coo == 0 || b.reversed ||
        b.latestCoo != m.counters.coo) {
        refuseNow(m, c.reply);
        return nullptr;
    }
    return &b;
}

// The bound receipt as the journal kept it, foot included, under a heading of its own.
void printAgain(CommandContext& c, LastBoundReceipt& b, std::string_view title) {
    FiscalModel& m = c.model;
    const int coo = takeCoo(m);
    ++m.counters.gnf;
    b.latestCoo = coo;
    std::vector<std::string> lines = layout::boundFollowUp(m, coo, title, b.coo);
    const auto original = std::find_if(m.journal.begin(), m.journal.end(), [&](const auto& e) {
        return e.coo == b.coo && e.kind == JournalKind::BoundReceipt;
    });
    if (original != m.journal.end()) {
        for (const std::string& line : original->lines) lines.push_back(printerToUtf8(line));
    } else {
        for (auto& line : layout::foot(m)) lines.push_back(std::move(line));
    }
    c.paper.printLines(lines);
}

void reprint(CommandContext& c) {
    if (mfd::unknownHere(c)) return;
    LastBoundReceipt* b = followable(c);
    if (!b) return;
    if (b->reprinted) return refuseNow(c.model, c.reply);
    b->reprinted = true;
    printAgain(c, *b, "REIMPRESS\xC3\x83O DE COMPROVANTE VINCULADO");
}

void secondCopy(CommandContext& c) {
    if (mfd::unknownHere(c)) return;
    LastBoundReceipt* b = followable(c);
    if (!b) return;
    if (b->copied) return refuseNow(c.model, c.reply);
    b->copied = true;
    printAgain(c, *b, "SEGUNDA VIA DE COMPROVANTE VINCULADO");
}

// The consumer's identification may follow. The reversal is a document that takes text and is
// closed like the bound receipt; what the receipt covered of the payment is free again.
void reverse(CommandContext& c) {
    if (mfd::unknownHere(c)) return;
    const std::optional<Consumer> consumer = mfd::customerBlock(c.command.substr(2));
    if (!consumer) return refuseLength(c.reply);
    LastBoundReceipt* b = followable(c);
    if (!b) return;
    FiscalModel& m = c.model;
    const int coo = takeCoo(m);
    ++m.counters.gnf;
    b->reversed = true;
    b->latestCoo = coo;
    const std::size_t slot = static_cast<std::size_t>(b->form - 1);
    if (slot < kPaymentFormSlots && m.bound.coo == m.lastCouponCoo)
        m.bound.covered[slot] = std::max<Money>(0, m.bound.covered[slot] - b->amount);
    m.document = DocumentState::BoundReceipt;
    std::vector<std::string> lines =
        layout::boundFollowUp(m, coo, "ESTORNO DE COMPROVANTE VINCULADO", b->coo);
    for (auto& line : layout::customer(*consumer)) lines.push_back(std::move(line));
    const std::string form = slot < m.paymentForms.size() ? m.paymentForms[slot].name : "";
    lines.push_back(layout::spread(printerToUtf8(form), "-" + layout::money(b->amount)));
    lines.push_back(layout::rule());
    c.paper.printLines(lines);
}

std::string one(std::uint8_t byte) {
    return std::string(1, static_cast<char>(byte));
}

}  // namespace

void registerJournalDocumentCommands(CommandRegistry& registry) {
    registry.add({one(codes::kNameReport), 2 + 2 + kReportNameWidth, nameReport});
    registry.add({one(codes::kOpenReport), 2 + 2, openReport});
    registry.add({one(codes::kReprintBoundReceipt), 2, reprint});
    registry.add({one(codes::kBoundReceiptCopy), 2, secondCopy});
    registry.add({one(codes::kReverseBoundReceipt), 0, reverse});
}

}  // namespace quelfi::sim
