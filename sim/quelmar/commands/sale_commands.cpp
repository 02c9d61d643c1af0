// The coupon's opening and its items: the opening with the customer's CPF/CNPJ, the item sale by
// rate slot (0x09 and '8'), the department sale with its variable tail, the description and unit
// the next item takes, and the subtotal.
#include <algorithm>

#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/sale_support.h"
#include "sim/quelmar/coupon_layout.h"
#include "sim/quelmar/day_rules.h"
#include "sim/quelmar/sale_totals.h"
#include "sim/quelmar/wire_fields.h"

namespace quelfi::sim {
namespace {

using sale::digits;
using sale::invalidParameter;
using sale::refuse;
using sale::trimmed;
using sale::wrongLength;

constexpr std::size_t kShortOpening = 31;  // prefix, command, CPF/CNPJ (29)
constexpr std::size_t kLongOpening = 141;  // and the customer's name (30) and address (80)
constexpr int kMaxItems = 999;
constexpr std::size_t kExtendedDescriptionMax = 200;

// Items are sold while the coupon is open and its closing has not started.
bool refusedOutsideItems(CommandContext& c) {
    if (sale::refusedWithoutPaper(c)) return true;
    if (c.model.document == DocumentState::Coupon) return false;
    refuse(c.reply);
    return true;
}

void openCoupon(CommandContext& c) {
    FiscalModel& m = c.model;
    const std::string_view command = c.command;
    if (command.size() != kShortOpening && command.size() != kLongOpening)
        return wrongLength(c.reply);
    if (couponOpen(m)) return refuse(c.reply, 0, codes::kSt1CouponOpen);
    if (m.document != DocumentState::None) return refuse(c.reply);
    if (auto refusal = newDocumentRefusal(m)) return refuse(c.reply, *refusal);
    if (sale::refusedWithoutPaper(c)) return;

    SaleCoupon coupon;
    coupon.pending = m.coupon.pending;  // extras given before the opening
    coupon.customerId = trimmed(command.substr(2, 29));
    if (command.size() == kLongOpening) {
        coupon.customerName = trimmed(command.substr(31, 30));
        coupon.customerAddress = trimmed(command.substr(61, 80));
    }
    coupon.coo = ++m.counters.coo;
    ++m.counters.ccf;
    m.counters.lastItem = 0;
    m.lastCouponCancellable = false;
    m.document = DocumentState::Coupon;
    markDocumentStarted(m);
    m.coupon = std::move(coupon);
    c.paper.printLines(layout::couponOpening(m, m.coupon));
}

// Sets the item's rate from its two-character code, or refuses the command.
bool resolveRate(CommandContext& c, std::string_view code, SaleItem& item) {
    struct Letter {
        const char* code;
        RateKind kind;
        bool iss;
    };
    static constexpr Letter kLetters[] = {
        {"II", RateKind::Exempt, false},       {"NN", RateKind::NonIncidence, false},
        {"FF", RateKind::Substitution, false}, {"SI", RateKind::Exempt, true},
        {"SN", RateKind::NonIncidence, true},  {"SF", RateKind::Substitution, true},
    };
    item.rateCode = std::string(code);
    for (const auto& letter : kLetters) {
        if (code != letter.code) continue;
        // The service letters exist on the models that keep ISS totals apart.
        if (letter.iss && c.model.printerType != 1 && c.model.printerType != 2) break;
        item.kind = letter.kind;
        item.iss = letter.iss;
        return true;
    }
    const auto slot = digits(code);
    if (!slot || *slot < 1 || *slot > static_cast<std::int64_t>(kTaxRateSlots)) {
        invalidParameter(c.reply);
        return false;
    }
    if (*slot > static_cast<std::int64_t>(c.model.taxRates.size())) {
        refuse(c.reply, codes::kSt2RateNotProgrammed);
        return false;
    }
    item.kind = RateKind::Slot;
    item.slot = static_cast<int>(*slot);
    item.iss = c.model.taxRates[static_cast<std::size_t>(*slot - 1)].binding == TaxBinding::Iss;
    return true;
}

// Registers a checked item: numbered, counted in the day's totals and printed.
void registerItem(CommandContext& c, SaleItem item) {
    FiscalModel& m = c.model;
    if (item.gross <= 0 || item.discount >= item.gross + item.surcharge)
        return invalidParameter(c.reply);
    if (static_cast<int>(m.coupon.items.size()) >= kMaxItems) return refuse(c.reply);
    item.number = static_cast<int>(m.coupon.items.size()) + 1;
    if (item.unit.empty()) item.unit = m.coupon.pending.unit;
    m.coupon.pending = {};
    m.counters.lastItem = item.number;
    sale::recordItem(m, item);
    m.coupon.items.push_back(item);
    c.paper.printLines(layout::couponItem(m, item));
}

// Code (13), description (29), rate (2), quantity (4 whole or 7 with three decimals), unit
// price (8), discount (8 for a value, 4 for a percentage): the widths tell the forms apart.
void sellItem(CommandContext& c) {
    constexpr std::size_t kFixed = 2 + 13 + 29 + 2;
    const std::string_view command = c.command;
    std::size_t quantityWidth = 0, discountWidth = 0;
    switch (command.size() < kFixed ? 0 : command.size() - kFixed) {
        case 4 + 8 + 4:
            quantityWidth = 4, discountWidth = 4;
            break;
        case 4 + 8 + 8:
            quantityWidth = 4, discountWidth = 8;
            break;
        case 7 + 8 + 4:
            quantityWidth = 7, discountWidth = 4;
            break;
        case 7 + 8 + 8:
            quantityWidth = 7, discountWidth = 8;
            break;
        default:
            return wrongLength(c.reply);
    }
    if (refusedOutsideItems(c)) return;
    const std::string_view numbers = command.substr(kFixed);
    const auto quantity = digits(numbers.substr(0, quantityWidth));
    const auto price = digits(numbers.substr(quantityWidth, 8));
    const auto discount = digits(numbers.substr(quantityWidth + 8, discountWidth));
    if (!quantity || !price || !discount) return invalidParameter(c.reply);

    SaleItem item;
    if (!resolveRate(c, command.substr(44, 2), item)) return;
    item.code = trimmed(command.substr(2, 13));
    item.description = trimmed(command.substr(15, 29));
    if (!c.model.coupon.pending.description.empty())
        item.description = c.model.coupon.pending.description;
    item.fractionalQuantity = quantityWidth == 7;
    item.quantity = item.fractionalQuantity ? *quantity : *quantity * 1000;
    item.unitPrice = *price;
    item.gross = itemValue(item.quantity, item.unitPrice, c.model.truncation);
    if (discountWidth == 4) {
        item.discountPercent = static_cast<int>(*discount);
        item.discount = percentOf(item.gross, *item.discountPercent, c.model.truncation);
    } else {
        item.discount = *discount;
    }
    registerItem(c, std::move(item));
}

// The department sale: fixed fields, then the code and the description, each ended by a zero
// byte unless it fills its whole width (49 and 201).
void sellDepartmentItem(CommandContext& c) {
    constexpr std::size_t kFixed = 64, kCodeMax = 49, kDescriptionMax = 201;
    const std::string_view command = c.command;
    if (command.size() <= kFixed) return wrongLength(c.reply);
    std::string_view tail = command.substr(kFixed);
    auto field = [&tail](std::size_t max) {
        const std::size_t end = tail.substr(0, max).find('\0');
        const std::string_view value = tail.substr(0, end == std::string_view::npos ? max : end);
        tail.remove_prefix(
            std::min(tail.size(), value.size() + (end == std::string_view::npos ? 0 : 1)));
        return std::string(value);
    };
    SaleItem item;
    item.code = field(kCodeMax);
    item.description = trimmed(field(kDescriptionMax));
    if (!tail.empty()) return wrongLength(c.reply);
    if (refusedOutsideItems(c)) return;

    const auto price = digits(command.substr(4, 9));
    const auto quantity = digits(command.substr(13, 7));
    const auto discount = digits(command.substr(20, 10));
    const auto surcharge = digits(command.substr(30, 10));
    const auto department = digits(command.substr(40, 2));
    if (!price || !quantity || !discount || !surcharge || !department || item.description.empty())
        return invalidParameter(c.reply);
    if (*department < 1 || *department > static_cast<std::int64_t>(kDepartmentSlots) ||
        c.model.departments[static_cast<std::size_t>(*department - 1)].name.empty())
        return invalidParameter(c.reply);
    if (!resolveRate(c, command.substr(2, 2), item)) return;
    item.department = static_cast<int>(*department);
    item.unit = trimmed(command.substr(62, 2));
    item.fractionalQuantity = true;
    item.quantity = *quantity;
    item.unitPrice = centavos(*price, c.model.truncation);
    item.gross = departmentItemValue(item.quantity, *price, c.model.truncation);
    item.discount = *discount;
    item.surcharge = *surcharge;
    registerItem(c, std::move(item));
}

// The item extras wait for the next item; they may come before the coupon is opened.
bool refusedForExtras(CommandContext& c) {
    const DocumentState d = c.model.document;
    if (d == DocumentState::Coupon || d == DocumentState::None) return false;
    refuse(c.reply);
    return true;
}

void extendDescription(CommandContext& c) {
    const std::string text = trimmed(c.command.substr(3));
    if (c.command.size() > 3 + kExtendedDescriptionMax) return wrongLength(c.reply);
    if (text.empty()) return invalidParameter(c.reply);
    if (refusedForExtras(c)) return;
    c.model.coupon.pending.description = text;
}

void setUnit(CommandContext& c) {
    if (refusedForExtras(c)) return;
    c.model.coupon.pending.unit = trimmed(c.command.substr(3, 2));
}

void subtotal(CommandContext& c) {
    c.reply.data = wire::bcd(couponOpen(c.model) ? amountDue(c.model.coupon) : 0, 7);
    if (!couponOpen(c.model)) refuse(c.reply);
}

std::string one(std::uint8_t byte) {
    return std::string(1, static_cast<char>(byte));
}

}  // namespace

void registerSaleCommands(CommandRegistry& registry) {
    registry.add({one(codes::kOpenCoupon), 0, openCoupon});
    registry.add({one(codes::kSellItem), 0, sellItem});
    registry.add({one(codes::kSellItemThreeDecimals), 0, sellItem});
    registry.add({one(codes::kSellDepartmentItem), 0, sellDepartmentItem});
    registry.add({std::string{static_cast<char>(codes::kExtended), codes::kExtendedDescription}, 0,
                  extendDescription});
    registry.add(
        {std::string{static_cast<char>(codes::kExtended), codes::kUnitOfMeasure}, 5, setUnit});
    registry.add({one(codes::kSubtotal), 2, subtotal});
}

}  // namespace quelfi::sim
