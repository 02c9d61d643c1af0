// The journal printer's non-fiscal receipt: opened with the consumer's identification, its items
// on the programmed non-fiscal totalizers (01-50) and their cancellation, the stages it shares
// with the coupon (sale_stages.h), its end, its cancellation while open or right after it, and
// the query of its subtotal.
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/day_support.h"
#include "sim/quelmar/commands/journal_support.h"
#include "sim/quelmar/commands/query_support.h"
#include "sim/quelmar/commands/receipt_cycle.h"
#include "sim/quelmar/commands/sale_stages.h"
#include "sim/quelmar/coupon_layout.h"
#include "sim/quelmar/day_rules.h"
#include "sim/quelmar/fiscal_day.h"
#include "sim/quelmar/journal_layout.h"
#include "sim/quelmar/sale_totals.h"
#include "sim/quelmar/wire_fields.h"

namespace quelfi::sim {
namespace {

using sale::digits;
using sale::invalidParameter;
using sale::refuse;
using sale::wrongLength;

constexpr int kMaxItems = 999;

void openReceipt(CommandContext& c) {
    if (mfd::unknownHere(c)) return;
    const std::optional<Consumer> customer = mfd::customerBlock(c.command.substr(2));
    if (!customer) return wrongLength(c.reply);
    FiscalModel& m = c.model;
    if (m.document != DocumentState::None) return refuseNow(m, c.reply);
    if (auto refusal = newDocumentRefusal(m)) return refuse(c.reply, *refusal);
    if (sale::refusedWithoutPaper(c)) return;
    markDocumentStarted(m);
    SaleCoupon receipt;
    receipt.coo = takeCoo(m);
    receipt.customerId = customer->id;
    receipt.customerName = customer->name;
    receipt.customerAddress = customer->address;
    ++m.counters.gnf;
    m.receipt = std::move(receipt);
    m.document = DocumentState::NonFiscalReceipt;
    c.paper.printLines(layout::receiptOpening(m, m.receipt));
}

// The totalizer's number (2) and the amount (14).
void receiptItem(CommandContext& c) {
    if (mfd::unknownHere(c)) return;
    if (c.command.size() != 2 + 2 + 14) return wrongLength(c.reply);
    FiscalModel& m = c.model;
    const auto slot = digits(c.command.substr(2, 2));
    const auto amount = digits(c.command.substr(4));
    if (!slot || *slot < 1 || *slot > static_cast<std::int64_t>(kNonFiscalSlots) || !amount ||
        *amount == 0)
        return invalidParameter(c.reply);
    const NonFiscalTotalizer& totalizer =
        m.nonFiscalTotalizers[static_cast<std::size_t>(*slot - 1)];
    if (totalizer.name.empty()) return invalidParameter(c.reply);
    if (sale::refusedWithoutPaper(c)) return;
    if (m.document != DocumentState::NonFiscalReceipt ||
        static_cast<int>(m.receipt.items.size()) >= kMaxItems)
        return refuse(c.reply);
    SaleItem item;
    item.number = static_cast<int>(m.receipt.items.size()) + 1;
    item.code = std::string(c.command.substr(2, 2));
    item.description = totalizer.name;
    item.quantity = 1000;
    item.unitPrice = *amount;
    item.gross = *amount;
    m.receipt.items.push_back(item);
    c.paper.print(layout::receiptItem(item));
}

// The item's number (4).
void cancelReceiptItem(CommandContext& c) {
    if (mfd::unknownHere(c)) return;
    if (c.command.size() != 2 + 4) return wrongLength(c.reply);
    FiscalModel& m = c.model;
    const auto number = digits(c.command.substr(2));
    if (!number) return invalidParameter(c.reply);
    if (sale::refusedWithoutPaper(c)) return;
    if (m.document != DocumentState::NonFiscalReceipt) return refuse(c.reply);
    auto& items = m.receipt.items;
    if (*number < 1 || *number > static_cast<std::int64_t>(items.size()))
        return invalidParameter(c.reply);
    SaleItem& item = items[static_cast<std::size_t>(*number - 1)];
    if (item.cancelled) return refuse(c.reply, codes::kSt2CancellationNotAllowed);
    item.cancelled = true;
    c.paper.printLines(layout::itemCancellation(item));
}

// The open receipt, or the last one right after its closing while nothing else was issued; the
// consumer's identification may follow.
void cancelReceipt(CommandContext& c) {
    if (mfd::unknownHere(c)) return;
    const std::optional<Consumer> customer = mfd::customerBlock(c.command.substr(2));
    if (!customer) return wrongLength(c.reply);
    if (sale::refusedWithoutPaper(c)) return;
    FiscalModel& m = c.model;
    SaleCoupon& receipt = m.receipt;
    if (receiptOpen(m)) {
        // Nothing of it was counted yet: all of it goes to the cancellations.
        for (const SaleItem& item : receipt.items)
            if (item.cancelled) m.day.nonFiscalCancellations += item.net();
        m.day.nonFiscalCancellations += amountDue(receipt);
        c.paper.printLines(layout::openReceiptCancellation(m, receipt));
    } else if (m.document == DocumentState::None && receipt.closed && !receipt.cancelled &&
               receipt.coo != 0 && receipt.coo == m.counters.coo) {
        if (auto refusal = newDocumentRefusal(m)) return refuse(c.reply, *refusal);
        const int coo = takeCoo(m);
        ++m.counters.gnf;
        sale::reverseReceipt(m, receipt);
        c.paper.printLines(layout::lastReceiptCancellation(m, receipt, coo, *customer));
    } else {
        return refuse(c.reply, codes::kSt2CancellationNotAllowed);
    }
    ++m.counters.cancelledNonFiscal;
    receipt.cancelled = true;
    receipt.closed = true;
    m.document = DocumentState::None;
}

// Seven BCD bytes: what the receipt being issued comes to.
void receiptSubtotal(CommandContext& c) {
    if (mfd::unknownHere(c)) return;
    const bool open = receiptOpen(c.model);
    c.reply.data = wire::bcd(open ? amountDue(c.model.receipt) : 0, 7);
    if (!open) refuse(c.reply);
}

CommandDefinition receiptStage(std::uint8_t byte,
                               void (*stage)(CommandContext&, const stages::Stages&)) {
    return {std::string(1, static_cast<char>(byte)), 0, [stage](CommandContext& c) {
                if (!mfd::unknownHere(c)) stage(c, stages::kReceipt);
            }};
}

std::string one(std::uint8_t byte) {
    return std::string(1, static_cast<char>(byte));
}

}  // namespace

void endReceipt(CommandContext& c) {
    if (sale::refusedWithoutPaper(c)) return;
    FiscalModel& m = c.model;
    SaleCoupon& receipt = m.receipt;
    if (amountPaid(receipt) < amountDue(receipt)) return refuse(c.reply);
    std::string message(c.command.substr(2));
    if (message.size() >= 2 && message.ends_with("\r\n")) message.resize(message.size() - 2);
    sale::recordReceipt(m, receipt);
    receipt.closed = true;
    m.document = DocumentState::None;
    c.paper.printLines(layout::couponEnd(m, receipt, message));
}

void registerReceiptCommands(CommandRegistry& registry) {
    registry.add({one(codes::kOpenReceipt), 0, openReceipt});
    registry.add({one(codes::kReceiptItem), 0, receiptItem});
    registry.add({one(codes::kCancelReceiptItem), 0, cancelReceiptItem});
    registry.add(receiptStage(codes::kReceiptItemAdjustment, stages::itemAdjustment));
    registry.add(receiptStage(codes::kCancelReceiptItemAdjustment, stages::cancelItemAdjustment));
    registry.add(receiptStage(codes::kReceiptSubtotalize, stages::subtotalize));
    registry.add(receiptStage(codes::kReceiptSubtotalAdjustment, stages::subtotalAdjustment));
    registry.add(
        receiptStage(codes::kCancelReceiptSubtotalAdjustment, stages::cancelSubtotalAdjustment));
    registry.add(receiptStage(codes::kReceiptTotalize, stages::totalize));
    registry.add(receiptStage(codes::kReceiptStartClosing, stages::startClosing));
    registry.add({one(codes::kCancelReceipt), 0, cancelReceipt});
    registry.add({infoSelector(codes::info::kReceiptSubtotal), 3, receiptSubtotal});
}

}  // namespace quelfi::sim
