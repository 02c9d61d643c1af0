// Receipts of amounts not subject to ICMS: on a programmed totalizer (01-50) or as the cash
// movements "SA" (withdrawal) and "SU" (supply), optionally naming the payment form; and the
// payment-form index, by which the host learns a form's number and has an unknown one programmed.
#include <cstdio>

#include "sim/quelmar/code_page.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/day_support.h"
#include "sim/quelmar/day_layout.h"
#include "sim/quelmar/fiscal_day.h"
#include "sim/quelmar/receipt_layout.h"

namespace quelfi::sim {
namespace {

constexpr std::size_t kTotalizerWidth = 2;
constexpr std::size_t kAmountWidth = 14;
constexpr std::size_t kFormWidth = 16;

void receipt(CommandContext& c) {
    FiscalModel& m = c.model;
    const std::string_view fields = c.command.substr(2);
    const std::size_t plain = kTotalizerWidth + kAmountWidth;
    if (fields.size() != plain && fields.size() != plain + kFormWidth) return refuseLength(c.reply);
    const std::string_view code = fields.substr(0, kTotalizerWidth);
    const bool withdrawal = code == "SA";
    const bool supply = code == "SU";
    std::optional<std::size_t> totalizer;
    if (!withdrawal && !supply) {
        const auto number = wireNumber(code);
        if (!number || *number < 1 || *number > static_cast<std::int64_t>(kNonFiscalSlots) ||
            m.nonFiscalTotalizers[*number - 1].name.empty())
            return refuseFields(c.reply);
        totalizer = static_cast<std::size_t>(*number - 1);
    }
    // A withdrawal takes cash out: it names no form.
    if (withdrawal && fields.size() != plain) return refuseLength(c.reply);
    const auto amount = wireNumber(fields.substr(kTotalizerWidth, kAmountWidth));
    if (!amount || *amount == 0) return refuseFields(c.reply);
    std::optional<std::size_t> form;
    if (fields.size() > plain) {
        form = paymentFormSlot(m, fieldText(fields.substr(plain)));
        if (!form) return refuseFields(c.reply);
    }
    if (m.document != DocumentState::None || !dayTakesMovement(m)) return refuseNow(m, c.reply);

    startMovement(m);
    const int coo = takeCoo(m);
    ++m.counters.gnf;
    std::string label;
    if (withdrawal) {
        m.day.withdrawals += *amount;
        label = "SANGRIA";
    } else if (supply) {
        m.day.supplies += *amount;
        label = "SUPRIMENTO";
    } else {
        NonFiscalTotalizer& t = m.nonFiscalTotalizers[*totalizer];
        ++t.count;
        t.dayTotal += *amount;
        label = std::string(code) + " " + printerToUtf8(t.name);
    }
    std::vector<std::string> lines = layout::heading(m, coo, "COMPROVANTE NÃO-FISCAL");
    lines.push_back(layout::spread(label, layout::money(*amount)));
    if (form) {
        PaymentForm& paid = m.paymentForms[*form];
        paid.dayTotal += *amount;
        lines.push_back(layout::spread(printerToUtf8(paid.name), layout::money(*amount)));
    }
    const auto foot = layout::foot(m);
    lines.insert(lines.end(), foot.begin(), foot.end());
    c.paper.printLines(lines);
}

// Two digits of the form's number, or 0xFF 0xFF when the name is new and no slot is free.

}  // namespace

void registerNonFiscalCommands(CommandRegistry& registry) {
    registry.add({"\x19", 0, receipt});
}

}  // namespace quelfi::sim
