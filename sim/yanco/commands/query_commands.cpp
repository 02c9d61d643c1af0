// What the host reads and sets outside the documents: the status ("25"), the configuration
// ("2E"), the registers ("34"), the drawer ("26"), summer time ("080", "081") and the names of
// the non-fiscal totalizers ("10").
#include <cstdio>

#include "sim/yanco/codes.h"
#include "sim/yanco/command_table.h"
#include "sim/yanco/commands/fields.h"
#include "sim/yanco/layouts.h"
#include "sim/yanco/paper_layout.h"

namespace quelfi::sim::yanco {
namespace {

namespace shared = ::quelfi::yanco;

char flag(bool on) {
    return on ? '1' : '0';
}

std::string shortDate(const CivilDate& date) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d%02d%02d", date.day % 100, date.month % 100,
                  date.year % 100);
    return buffer;
}

void status(CommandContext& c) {
    const Model& m = c.model;
    const std::string separator(1, shared::kFieldSeparator);
    const std::vector<std::string> fields{
        std::string(1, flag(m.mechanismError)),
        std::string(1, flag(m.daylightSaving)),
        std::string(1, flag(fiscalMemoryFull(m))),
        std::string(1, m.drawerOpen ? '0' : '1'),
        std::string(1, flag(m.paper == Paper::Out)),
        std::to_string(stateNumber(m)),
        layout::digits(m.counters.coo % 1000000, 6),
        m.movementDate ? shortDate(*m.movementDate) : "000000",
        m.reductions.empty() ? "000000" : shortDate(m.reductions.back().madeAt.date),
        std::string(1, flag(lastCouponCancellable(m) && !reductionDue(m))),
        layout::digits(m.counters.crz % 10000, 4),
        std::string(1, flag(boundReceiptAllowed(m))),
    };
    for (const std::string& field : fields) c.answer.data += field + separator;
    c.answer.data += flag(m.paper == Paper::NearEnd);
    c.answer.withoutStatus = true;
}

// Places `text` at frame position `at` of the configuration answer (data starts at 8).
void place(std::string& data, std::size_t at, std::string_view text) {
    data.replace(at - 8, text.size(), text);
}

void configuration(CommandContext& c) {
    constexpr std::size_t kRatesAt = 8, kFirmwareAt = 95, kFormsAt = 105, kHeaderAt = 556,
                          kHeaderWidth = 168, kDaylightSavingAt = 746;
    const Model& m = c.model;
    std::string data(kDaylightSavingAt + 1 - 8, ' ');
    for (std::size_t i = 0; i < kRateSlots; ++i) {
        if (!m.rates[i]) continue;
        const char mark = m.rates[i]->tax == Tax::Iss ? shared::kIssMark : shared::kIcmsMark;
        place(data, kRatesAt + 5 * i, layout::digits(m.rates[i]->hundredths % 10000, 4) + mark);
    }
    place(data, shared::kCurrencyAt, m.currencySymbol.substr(0, shared::kCurrencyWidth));
    place(data, kFirmwareAt, m.firmware.substr(0, 2));
    for (std::size_t i = 0; i < kPaymentForms; ++i)
        place(data, kFormsAt + 15 * i, m.paymentForms[i].name.substr(0, 15));
    place(data, kHeaderAt, m.ownerHeader.substr(0, kHeaderWidth));
    data.back() = m.daylightSaving ? shared::kSummerTime : shared::kStandardTime;
    c.answer.data = data;
    c.answer.withoutStatus = true;
}

std::string clockText(const DateTime& now, bool date) {
    char buffer[16];
    if (date) {
        std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d", now.date.day, now.date.month,
                      now.date.year % 100);
    } else {
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", now.hour, now.minute, now.second);
    }
    return buffer;
}

// The register's value, or null for a number the printer does not have.
std::optional<std::string> registerValue(const Model& m, int number) {
    const Money opening = m.dayOpen ? m.openingTotal : m.grandTotal;
    const Money gross = m.grandTotal - opening;
    const DayTotals& d = m.day;
    const auto slot = [number](int first) { return static_cast<std::size_t>(number - first); };
    switch (number) {
        case 1:
            return std::to_string(m.grandTotal);
        case 2:
            return std::to_string(opening);
        case 3:
            return std::to_string(gross);
        case 4:
            return std::to_string(d.icmsSurcharges);
        case 5:
            return std::to_string(d.issSurcharges);
        case 6:
            return std::to_string(d.icmsDiscounts);
        case 7:
            return std::to_string(d.issDiscounts);
        case 8:
            return std::to_string(d.cancellations);
        case 9:
            return std::to_string(m.counters.gnf);
        case 10:
            return std::to_string(m.counters.crz);
        case 11:
            return std::to_string(m.counters.cro);
        case 12:
            return std::to_string(m.counters.grg);
        case 13:
            return std::to_string(m.counters.cancelledCoupons);
        case 39:
            return std::to_string(gross - d.cancellations - d.icmsDiscounts - d.issDiscounts);
        case 70:
            return clockText(m.clock.now(), false);
        case 71:
            return clockText(m.clock.now(), true);
        case 72:
            return std::to_string(couponOpen(m) ? m.coupon.total() : 0);
        case 73:
            return m.cnpj;
        case 74:
            return m.stateRegistration;
        case 75:
            return std::to_string(m.storeNumber);
        case 76:
            return std::to_string(m.registerNumber);
        case 77:
            return std::to_string(m.counters.coo);
        case 78:
            return std::to_string(m.counters.ccf);
        case 79:
            return m.serialNumber;
        case 89:
            return std::to_string(m.counters.cdc);
        default:
            break;
    }
    if (number >= 14 && number <= 29) return std::to_string(d.sales[slot(14)]);
    if (number >= 30 && number <= 38) return std::to_string(d.nonFiscal[slot(30)]);
    if (number >= 40 && number <= 69) return std::to_string(m.paymentForms[slot(40)].dayTotal);
    if (number >= 80 && number <= 88) return std::to_string(d.nonFiscalCounts[slot(80)]);
    return std::nullopt;
}

// Brought to the register's width: numbers zero-filled (their lowest digits kept), texts
// left-aligned in blanks.
std::string toWidth(std::string value, const shared::Register& kept) {
    if (kept.kind == shared::RegisterKind::Text) {
        value.resize(kept.width, ' ');
        return value;
    }
    if (value.size() > kept.width) return value.substr(value.size() - kept.width);
    return std::string(kept.width - value.size(), '0') + value;
}

void readRegister(CommandContext& c) {
    const auto number = field::number(c.command, 2, 3);
    const shared::Register* kept = nullptr;
    for (const auto& r : shared::kRegisters)
        if (number && *number >= r.first && *number <= r.last) kept = &r;
    const auto value = kept ? registerValue(c.model, static_cast<int>(*number)) : std::nullopt;
    if (!value) return c.refuse(codes::kBadField);
    c.answer.data = toWidth(*value, *kept);
}

void openDrawer(CommandContext& c) {
    c.model.drawerOpen = true;
}

// The clock goes an hour forward when summer time starts, back when it ends.
void setDaylightSaving(CommandContext& c, bool on) {
    if (c.model.document != Document::None) return c.refuse(codes::kOutOfOrder);
    if (c.model.daylightSaving == on) return;
    c.model.daylightSaving = on;
    DateTime now = c.model.clock.now();
    const int hour = now.hour + (on ? 1 : -1);
    if (hour >= 0 && hour < 24) {
        now.hour = hour;
        c.model.clock.set(now);
    }
}

// "10": the totalizer (5-8) and its name in 15; a totalizer with amounts in the day keeps its
// name until the reduction.
void nameTotalizer(CommandContext& c) {
    const auto index = field::number(c.command, 2, 1);
    if (!index || *index < kFirstNameable || *index > kLastNameable ||
        field::blank(c.command, 3, 15))
        return c.refuse(codes::kBadField);
    const auto slot = static_cast<std::size_t>(*index - 1);
    if (c.model.document != Document::None || c.model.day.nonFiscalCounts[slot] != 0)
        return c.refuse(codes::kOutOfOrder);
    c.model.nonFiscalNames[slot] = layout::trimmed(c.command.substr(3, 15));
}

}  // namespace

void registerQueryCommands(CommandTable& table) {
    table.add({std::string(codes::kStatus), {2}, status});
    table.add({std::string(codes::kConfiguration), {2}, configuration});
    table.add({std::string(codes::kReadRegister), {5}, readRegister});
    table.add({std::string(codes::kOpenDrawer), {2}, openDrawer});
    table.add({std::string(codes::kDaylightSavingOff), {3}, [](CommandContext& c) {
                   setDaylightSaving(c, false);
               }});
    table.add({std::string(codes::kDaylightSavingOn), {3}, [](CommandContext& c) {
                   setDaylightSaving(c, true);
               }});
    table.add({std::string(codes::kNameTotalizer), {18}, nameTotalizer});
}

}  // namespace quelfi::sim::yanco
