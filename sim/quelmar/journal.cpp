#include "sim/quelmar/journal.h"

#include "sim/quelmar/code_page.h"
#include "sim/quelmar/codes.h"

namespace quelfi::sim::journal {
namespace {

struct Rule {
    std::uint8_t command;
    JournalKind kind;
};

// clang-format off
constexpr Rule kRules[] = {
    {codes::kOpenCoupon,           JournalKind::Coupon},
    {codes::kPassengerTicket,      JournalKind::Coupon},
    {codes::kCancelCoupon,         JournalKind::CouponCancellation},
    {codes::kAdditionalCoupon,     JournalKind::AdditionalCoupon},
    {codes::kNonFiscalReceipt,     JournalKind::NonFiscalReceipt},
    {codes::kOpenReceipt,          JournalKind::NonFiscalReceipt},
    {codes::kCancelReceipt,        JournalKind::ReceiptCancellation},
    {codes::kReportText,           JournalKind::ManagementReport},
    {codes::kOpenReport,           JournalKind::ManagementReport},
    {codes::kOpenBoundReceipt,     JournalKind::BoundReceipt},
    {codes::kReprintBoundReceipt,  JournalKind::BoundReprint},
    {codes::kBoundReceiptCopy,     JournalKind::BoundCopy},
    {codes::kReverseBoundReceipt,  JournalKind::BoundReversal},
    {codes::kReadingX,             JournalKind::ReadingX},
    {codes::kReductionZ,           JournalKind::ReductionZ},
    {codes::kFiscalMemoryReading,  JournalKind::FiscalMemoryReading},
};
// clang-format on

}  // namespace

Mark mark(const FiscalModel& model, const PaperRoll& paper) {
    return {model.counters.coo, paper.size()};
}

JournalKind kindOf(std::string_view command) {
    if (command.size() < 2) return JournalKind::Other;
    const auto byte = static_cast<std::uint8_t>(command[1]);
    for (const Rule& rule : kRules)
        if (rule.command == byte) return rule.kind;
    return JournalKind::Other;
}

void record(FiscalModel& model, const PaperRoll& paper, std::string_view command,
            const Mark& before) {
    if (!model.electronicJournal || command.size() < 2) return;
    const std::vector<std::string> printed = paper.linesFrom(before.paperLines);
    // The cliché printed ahead of a document belongs to none yet; the cheque station prints on
    // the document in the slip, not on the roll the journal keeps.
    const auto byte = static_cast<std::uint8_t>(command[1]);
    if (byte == codes::kPrintCliche || byte == codes::kPrintCheque ||
        byte == codes::kAuthenticate || byte == codes::kChequeText)
        return;
    const JournalKind kind = kindOf(command);
    if (model.counters.coo != before.coo) {
        model.journal.push_back({model.counters.coo, kind, model.clock.now(), {}});
    } else if (kind == JournalKind::AdditionalCoupon && !printed.empty()) {
        // A copy of the coupon: a document of its own under the coupon's COO.
        model.journal.push_back({model.coupon.coo, kind, model.clock.now(), {}});
    }
    if (model.journal.empty()) return;
    std::vector<std::string>& lines = model.journal.back().lines;
    for (const std::string& line : printed) lines.push_back(utf8ToPrinter(line));
}

}  // namespace quelfi::sim::journal
