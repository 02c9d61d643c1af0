// The credit note: "Y" with its ten fixed-width fields, printed under the document's heading, and
// ended by the coupon's closing message. It takes the next COO like every document.
#include <array>
#include <string>

#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/day_support.h"
#include "sim/quelmar/commands/sale_support.h"
#include "sim/quelmar/fiscal_day.h"
#include "sim/quelmar/receipt_layout.h"

namespace quelfi::sim {
namespace {

constexpr std::array<std::size_t, 10> kFieldWidths = {41, 15, 18, 2, 2, 2, 2, 2, 2, 6};
constexpr std::size_t kNoteLength = 2 + 41 + 15 + 18 + 6 * 2 + 6;

std::string trimmedRight(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::string(text);
}

void openCreditNote(CommandContext& c) {
    FiscalModel& m = c.model;
    if (m.document != DocumentState::None || reductionPending(m)) return refuseNow(m, c.reply);
    if (sale::refusedWithoutPaper(c)) return;
    const int coo = takeCoo(m);
    m.document = DocumentState::CreditNote;
    // The text on a line of its own, the two amounts on the next, the six codes and the number on
    // the last.
    std::vector<std::string> fields;
    for (std::size_t i = 0, at = 2; i < kFieldWidths.size(); at += kFieldWidths[i++])
        fields.push_back(trimmedRight(c.command.substr(at, kFieldWidths[i])));
    std::vector<std::string> lines = layout::heading(m, coo, "NOTA DE CRÉDITO");
    lines.push_back(fields[0]);
    lines.push_back(fields[1] + " " + fields[2]);
    std::string codes = fields[3];
    for (std::size_t i = 4; i < fields.size(); ++i) codes += " " + fields[i];
    lines.push_back(codes);
    c.paper.printLines(lines);
}

}  // namespace

void endCreditNote(CommandContext& c) {
    std::string message(c.command.substr(2));
    if (message.ends_with("\r\n")) message.resize(message.size() - 2);
    c.model.document = DocumentState::None;
    std::vector<std::string> lines;
    if (!message.empty()) lines.push_back(message);
    for (auto& line : layout::foot(c.model)) lines.push_back(std::move(line));
    c.paper.printLines(lines);
}

void registerCreditNoteCommands(CommandRegistry& registry) {
    registry.add(
        {std::string(1, static_cast<char>(codes::kOpenCreditNote)), kNoteLength, openCreditNote});
}

}  // namespace quelfi::sim
