// The credit note: "Y" with its ten fixed-width fields, printed one to a line under the document's
// heading, and ended by the coupon's closing message. It takes the next COO like every document.
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
    std::vector<std::string> lines = layout::heading(m, coo, "NOTA DE CRÉDITO");
    std::size_t at = 2;
    for (std::size_t i = 0; i < kFieldWidths.size(); ++i) {
        const std::string label = (i < 9 ? "CAMPO 0" : "CAMPO ") + std::to_string(i + 1) + ": ";
        lines.push_back(label + trimmedRight(c.command.substr(at, kFieldWidths[i])));
        at += kFieldWidths[i];
    }
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
