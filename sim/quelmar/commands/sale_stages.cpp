#include "sim/quelmar/commands/sale_stages.h"

#include "sim/quelmar/commands/journal_support.h"
#include "sim/quelmar/commands/sale_support.h"
#include "sim/quelmar/coupon_layout.h"
#include "sim/quelmar/journal_layout.h"
#include "sim/quelmar/sale_totals.h"

namespace quelfi::sim::stages {
namespace {

using sale::digits;
using sale::invalidParameter;
using sale::refuse;
using sale::wrongLength;

constexpr std::size_t kItemWidth = 3;
constexpr std::size_t kPercentWidth = 4;
constexpr std::size_t kItemValueWidth = 8;
constexpr std::size_t kValueWidth = 14;
constexpr int kMaxInstalments = 24;

// 'A' or 'D' in either case: whether it names the surcharge; nothing for any other letter.
std::optional<bool> surchargeFlag(char flag) {
    if (flag == 'A' || flag == 'a') return true;
    if (flag == 'D' || flag == 'd') return false;
    return std::nullopt;
}

// The item a command names by its number, when it is there and not cancelled.
SaleItem* namedItem(SaleCoupon& record, std::string_view field) {
    const auto number = digits(field);
    if (!number || *number < 1 || *number > static_cast<std::int64_t>(record.items.size()))
        return nullptr;
    SaleItem& item = record.items[static_cast<std::size_t>(*number - 1)];
    return item.cancelled ? nullptr : &item;
}

// The document's record when it is at `state`; otherwise the command is refused.
SaleCoupon* at(CommandContext& c, const Stages& stages, DocumentState state) {
    if (sale::refusedWithoutPaper(c)) return nullptr;
    if (c.model.document != state) {
        refuse(c.reply);
        return nullptr;
    }
    return &(c.model.*stages.record);
}

// The subtotal takes changes from its taking to its total.
SaleCoupon* openSubtotal(CommandContext& c, const Stages& stages) {
    SaleCoupon* record = at(c, stages, stages.subtotal);
    if (record && record->totalled) {
        refuse(c.reply);
        return nullptr;
    }
    return record;
}

}  // namespace

void itemAdjustment(CommandContext& c, const Stages& stages) {
    if (mfd::unknownHere(c)) return;
    const std::string_view command = c.command;
    constexpr std::size_t kFixed = 3 + kItemWidth;
    if (command.size() != kFixed + kPercentWidth && command.size() != kFixed + kItemValueWidth)
        return wrongLength(c.reply);
    const char flag = command[2];
    const auto value = digits(command.substr(kFixed));
    if ((flag != 'A' && flag != 'D') || !value || !digits(command.substr(3, kItemWidth)))
        return invalidParameter(c.reply);
    SaleCoupon* record = at(c, stages, stages.items);
    if (!record) return;
    SaleItem* item = namedItem(*record, command.substr(3, kItemWidth));
    if (!item) return invalidParameter(c.reply);
    const bool surcharge = flag == 'A';
    if ((surcharge ? item->surcharge : item->discount) != 0) return refuse(c.reply);

    std::optional<int> percentage;
    Money amount = *value;
    if (command.size() == kFixed + kPercentWidth) {
        percentage = static_cast<int>(*value);
        amount = percentOf(item->gross, *percentage, c.model.truncation);
    }
    if (amount <= 0 || (!surcharge && amount >= item->net())) return invalidParameter(c.reply);
    if (surcharge) {
        item->surcharge = amount;
        item->surchargePercent = percentage;
        if (stages.fiscal) sale::recordItemSurcharge(c.model, *item, amount);
    } else {
        item->discount = amount;
        item->discountPercent = percentage;
        if (stages.fiscal) sale::recordItemDiscount(c.model, *item, amount);
    }
    c.paper.print(layout::itemAdjustment(item->number, surcharge, percentage, amount));
}

void cancelItemAdjustment(CommandContext& c, const Stages& stages) {
    if (mfd::unknownHere(c)) return;
    if (c.command.size() != 3 + kItemWidth) return wrongLength(c.reply);
    const std::optional<bool> surcharge = surchargeFlag(c.command[2]);
    if (!surcharge || !digits(c.command.substr(3))) return invalidParameter(c.reply);
    SaleCoupon* record = at(c, stages, stages.items);
    if (!record) return;
    SaleItem* item = namedItem(*record, c.command.substr(3));
    if (!item) return invalidParameter(c.reply);
    Money& amount = *surcharge ? item->surcharge : item->discount;
    if (amount == 0) return refuse(c.reply, codes::kSt2CancellationNotAllowed);
    const Money taken = amount;
    if (stages.fiscal) {
        if (*surcharge) {
            sale::recordItemSurchargeCancellation(c.model, *item, taken);
        } else {
            sale::recordItemDiscount(c.model, *item, -taken);
        }
    }
    amount = 0;
    (*surcharge ? item->surchargePercent : item->discountPercent).reset();
    c.paper.print(layout::itemAdjustmentCancellation(item->number, *surcharge, taken));
}

void subtotalize(CommandContext& c, const Stages& stages) {
    if (mfd::unknownHere(c)) return;
    if (sale::refusedWithoutPaper(c)) return;
    FiscalModel& m = c.model;
    SaleCoupon& record = m.*stages.record;
    const bool open = m.document == stages.items || m.document == stages.subtotal;
    if (!open || record.totalled || itemsTotal(record) <= 0) return refuse(c.reply);
    m.document = stages.subtotal;
    c.paper.print(layout::subtotal(amountDue(record)));
}

void subtotalAdjustment(CommandContext& c, const Stages& stages) {
    if (mfd::unknownHere(c)) return;
    const std::string_view command = c.command;
    if (command.size() != 3 + kPercentWidth && command.size() != 3 + kValueWidth)
        return wrongLength(c.reply);
    const bool byValue = command.size() == 3 + kValueWidth;
    const char flag = command[2];
    const auto value = digits(command.substr(3));
    const bool letterFits = byValue ? (flag == 'a' || flag == 'd') : (flag == 'A' || flag == 'D');
    if (!letterFits || !value) return invalidParameter(c.reply);
    SaleCoupon* record = openSubtotal(c, stages);
    if (!record) return;
    const bool surcharge = flag == 'a' || flag == 'A';
    if ((surcharge ? record->closingSurcharge : record->closingDiscount) != 0)
        return refuse(c.reply);

    const Money base = itemsTotal(*record);
    std::optional<int> percentage;
    Money amount = *value;
    if (!byValue) {
        percentage = static_cast<int>(*value);
        amount = percentOf(base, *percentage, c.model.truncation);
    }
    if (amount <= 0 || (!surcharge && amount >= base + record->closingSurcharge))
        return invalidParameter(c.reply);
    (surcharge ? record->closingSurcharge : record->closingDiscount) = amount;
    (surcharge ? record->surchargePercent : record->discountPercent) = percentage;
    c.paper.print(layout::adjustment(surcharge, percentage, amount));
}

void cancelSubtotalAdjustment(CommandContext& c, const Stages& stages) {
    if (mfd::unknownHere(c)) return;
    if (c.command.size() != 3) return wrongLength(c.reply);
    const std::optional<bool> surcharge = surchargeFlag(c.command[2]);
    if (!surcharge) return invalidParameter(c.reply);
    SaleCoupon* record = openSubtotal(c, stages);
    if (!record) return;
    Money& amount = *surcharge ? record->closingSurcharge : record->closingDiscount;
    if (amount == 0) return refuse(c.reply, codes::kSt2CancellationNotAllowed);
    const Money taken = amount;
    amount = 0;
    (*surcharge ? record->surchargePercent : record->discountPercent).reset();
    c.paper.print(layout::adjustmentCancellation(*surcharge, taken));
}

void totalize(CommandContext& c, const Stages& stages) {
    if (mfd::unknownHere(c)) return;
    if (sale::refusedWithoutPaper(c)) return;
    FiscalModel& m = c.model;
    SaleCoupon& record = m.*stages.record;
    const bool open = m.document == stages.items || m.document == stages.subtotal;
    if (!open || record.totalled || itemsTotal(record) <= 0) return refuse(c.reply);
    m.document = stages.subtotal;
    record.totalled = true;
    c.paper.print(layout::total(amountDue(record)));
}

void startClosing(CommandContext& c, const Stages& stages) {
    const std::string_view fields = c.command.substr(std::min<std::size_t>(2, c.command.size()));
    const bool journalForms = c.model.electronicJournal;
    const bool both = journalForms && (fields.size() == 1 + 2 * kPercentWidth ||
                                       fields.size() == 1 + 2 * kValueWidth);
    const std::size_t width = both ? (fields.size() - 1) / 2 : fields.size() - 1;
    if (fields.empty() || (width != kPercentWidth && width != kValueWidth))
        return wrongLength(c.reply);
    const bool byValue = width == kValueWidth;
    const char letter = fields[0];
    const std::string_view letters = both ? (byValue ? "x" : "X") : (byValue ? "ad" : "AD");
    const auto first = digits(fields.substr(1, width));
    const auto second = both ? digits(fields.substr(1 + width, width)) : std::optional<Money>(0);
    if (letters.find(letter) == std::string_view::npos || !first || !second)
        return invalidParameter(c.reply);
    FiscalModel& m = c.model;
    if (sale::refusedWithoutPaper(c)) return;
    const bool fromItems = m.document == stages.items;
    if (!fromItems && m.document != stages.subtotal) return refuse(c.reply);
    SaleCoupon& record = m.*stages.record;
    const Money base = itemsTotal(record);
    if (base <= 0) return refuse(c.reply);

    // The surcharge first, then the discount; a single one is the letter's.
    const bool surchargeOnly = letter == 'a' || letter == 'A';
    const Money surchargeGiven = both ? *first : (surchargeOnly ? *first : 0);
    const Money discountGiven = both ? *second : (surchargeOnly ? 0 : *first);
    auto value = [&](Money given) {
        return byValue ? given : percentOf(base, static_cast<int>(given), m.truncation);
    };
    const Money surcharge = value(surchargeGiven);
    const Money discount = value(discountGiven);
    // The subtotal's surcharge or discount given before stands; another of the same is refused.
    if ((surcharge != 0 && record.closingSurcharge != 0) ||
        (discount != 0 && record.closingDiscount != 0))
        return refuse(c.reply);
    const Money surchargeTotal = record.closingSurcharge + surcharge;
    const Money discountTotal = record.closingDiscount + discount;
    if (discountTotal > 0 && discountTotal >= base + surchargeTotal)
        return invalidParameter(c.reply);

    std::vector<std::string> lines;
    if (surcharge != 0) {
        record.closingSurcharge = surcharge;
        if (!byValue) record.surchargePercent = static_cast<int>(surchargeGiven);
        lines.push_back(layout::adjustment(true, record.surchargePercent, surcharge));
    }
    if (discount != 0) {
        record.closingDiscount = discount;
        if (!byValue) record.discountPercent = static_cast<int>(discountGiven);
        lines.push_back(layout::adjustment(false, record.discountPercent, discount));
    }
    apportion(record, record.closingSurcharge - record.closingDiscount);
    if (stages.fiscal) sale::recordClosingAdjustment(m, record);
    m.document = stages.payment;
    if (fromItems) {
        c.paper.printLines(layout::closingStart(record));
    } else {
        if (!record.totalled || !lines.empty()) lines.push_back(layout::total(amountDue(record)));
        c.paper.printLines(lines);
    }
}

void instalmentPayment(CommandContext& c) {
    if (mfd::unknownHere(c)) return;
    constexpr std::size_t kFixed = 2 + 2 + kValueWidth + 2, kTextWidth = 80;
    const std::string_view command = c.command;
    if (command.size() != kFixed && command.size() != kFixed + kTextWidth)
        return wrongLength(c.reply);
    FiscalModel& m = c.model;
    const auto form = digits(command.substr(2, 2));
    const auto amount = digits(command.substr(4, kValueWidth));
    const auto instalments = digits(command.substr(4 + kValueWidth, 2));
    if (!form || *form < 1 || *form > static_cast<std::int64_t>(m.paymentForms.size()) || !amount ||
        *amount == 0 || !instalments || *instalments < 1 || *instalments > kMaxInstalments)
        return invalidParameter(c.reply);
    if (sale::refusedWithoutPaper(c)) return;
    SaleCoupon* record = m.document == DocumentState::CouponPayment    ? &m.coupon
                         : m.document == DocumentState::ReceiptPayment ? &m.receipt
                                                                       : nullptr;
    if (!record) return refuse(c.reply);
    // Paid in full: the document waits for its end.
    if (amountPaid(*record) >= amountDue(*record)) return refuse(c.reply);
    record->payments.push_back({static_cast<int>(*form), *amount,
                                sale::trimmed(command.substr(kFixed)),
                                static_cast<int>(*instalments)});
    c.paper.printLines(layout::couponPayment(m, record->payments.back()));
}

}  // namespace quelfi::sim::stages
