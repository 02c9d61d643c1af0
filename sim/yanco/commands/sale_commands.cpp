// The coupon's opening and its items: "130", "14", "18", "1A", "35".
#include "sim/yanco/codes.h"
#include "sim/yanco/command_table.h"
#include "sim/yanco/commands/fields.h"
#include "sim/yanco/commands/sale_support.h"
#include "sim/yanco/coupon_layout.h"
#include "sim/yanco/paper_layout.h"

namespace quelfi::sim::yanco {
namespace {

// "14": code 13, description 30, unit price 9 (three decimals), quantity 7 (three decimals),
// 12 reserved zeros, the slot (01-16) and '0' or '1' for a price printed with two or three
// decimals.
constexpr std::size_t kCodeAt = 2, kDescriptionAt = 15, kPriceAt = 45, kQuantityAt = 54,
                      kReservedAt = 61, kSlotAt = 73, kDecimalsAt = 75, kItemLength = 76;
// The items a coupon takes: "35" names them with three digits.
constexpr std::size_t kMostItems = 999;

void openCoupon(CommandContext& c) {
    if (!c.idle() || !c.canPrint(Printing::Starts)) return;
    c.model.counters.ccf++;
    c.model.coupon = Coupon{};
    c.model.coupon.coo = c.startDocument("CUPOM FISCAL");
    c.model.document = Document::Coupon;
    c.model.lastDocumentIsCoupon = false;
    c.print(layout::couponColumns());
}

void sellItem(CommandContext& c) {
    const auto price = field::number(c.command, kPriceAt, 9);
    const auto quantity = field::number(c.command, kQuantityAt, 7);
    const auto reserved = field::number(c.command, kReservedAt, 12);
    const auto slot = field::number(c.command, kSlotAt, 2);
    const char decimals = c.command[kDecimalsAt];
    const bool fieldsRight = price && quantity && reserved == 0 && slot && *slot >= 1 &&
                             *slot <= static_cast<int>(kSaleSlots) &&
                             (decimals == '0' || decimals == '1') &&
                             !field::blank(c.command, kDescriptionAt, 30);
    if (!fieldsRight) return c.refuse(codes::kBadField);
    if (c.model.document != Document::Coupon || c.model.coupon.items.size() >= kMostItems)
        return c.refuse(codes::kOutOfOrder);
    if (!c.canPrint(Printing::Continues)) return;
    SaleItem item;
    item.slot = static_cast<int>(*slot);
    if (item.slot <= static_cast<int>(kRateSlots)) {
        const auto& rate = c.model.rates[static_cast<std::size_t>(item.slot - 1)];
        if (!rate) return c.refuse(codes::kRateNotProgrammed);
        item.tax = rate->tax;
    }
    item.code = field::text(c.command, kCodeAt, 13);
    item.description = field::text(c.command, kDescriptionAt, 30);
    item.quantity = *quantity;
    item.unitPrice = *price;
    item.threeDecimals = decimals == '1';
    item.total = itemTotal(item.quantity, item.unitPrice);
    if (item.total <= 0) return c.refuse(codes::kBadField);
    c.model.coupon.items.push_back(item);
    c.model.grandTotal += item.total;
    c.print(layout::couponItem(c.model, item, static_cast<int>(c.model.coupon.items.size())));
}

// "18": a value (12, three decimals), a percentage (4, two decimals) and the kind, on the last
// item sold.
void adjustItem(CommandContext& c) {
    const auto request = field::adjustment(c.command, 2, 12, 14, c.command[18]);
    if (!request) return c.refuse(codes::kBadField);
    auto& items = c.model.coupon.items;
    if (c.model.document != Document::Coupon || items.empty() || items.back().cancelled ||
        items.back().adjustment)
        return c.refuse(codes::kOutOfOrder);
    if (!c.canPrint(Printing::Continues)) return;
    SaleItem& item = items.back();
    const auto adjustment = adjustmentOf(*request, item.total);
    if (!adjustment) return c.refuse(codes::kBadField);
    item.adjustment = adjustment;
    postAdjustment(c.model, *adjustment, item.tax == Tax::Iss ? adjustment->amount : 0);
    c.print(layout::itemAdjustment(*adjustment));
}

void cancelItem(CommandContext& c, std::size_t number) {
    if (!c.canPrint(Printing::Continues)) return;
    SaleItem& item = c.model.coupon.items[number - 1];
    if (item.cancelled) return c.refuse(codes::kCancelRefused);
    item.cancelled = true;
    c.model.day.cancellations += item.net();
    c.print(layout::itemCancellation(item, static_cast<int>(number)));
}

void cancelLastItem(CommandContext& c) {
    if (c.model.document != Document::Coupon || c.model.coupon.items.empty())
        return c.refuse(codes::kOutOfOrder);
    cancelItem(c, c.model.coupon.items.size());
}

// "35": the item's number (3 digits) and 22 reserved blanks.
void cancelNumberedItem(CommandContext& c) {
    const auto number = field::number(c.command, 2, 3);
    if (!number || !field::blank(c.command, 5, 22)) return c.refuse(codes::kBadField);
    if (c.model.document != Document::Coupon) return c.refuse(codes::kOutOfOrder);
    if (*number < 1 || static_cast<std::size_t>(*number) > c.model.coupon.items.size())
        return c.refuse(codes::kBadField);
    cancelItem(c, static_cast<std::size_t>(*number));
}

}  // namespace

void registerSaleCommands(CommandTable& table) {
    table.add({std::string(codes::kOpenCoupon), {3}, openCoupon});
    table.add({std::string(codes::kSellItem), {kItemLength}, sellItem});
    table.add({std::string(codes::kItemAdjustment), {19}, adjustItem});
    table.add({std::string(codes::kCancelLastItem), {2}, cancelLastItem});
    table.add({std::string(codes::kCancelItem), {27}, cancelNumberedItem});
}

}  // namespace quelfi::sim::yanco
