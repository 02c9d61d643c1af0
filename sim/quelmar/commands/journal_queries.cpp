// The journal printer's own queries: its counters and texts ('#' and a selector from '(' on), the
// 30-slot lists, the partial totalizers ("W") and the last reduction's record ("X"), the magnetic
// line of the cheque in the slip ("L"), and its switches ('>' '9' to '<'). Models without an
// electronic journal do not know them.
//
// What the record "X" holds, field by field (digits): 0 the reduction's mark (2: 01 automatic),
// 1 CRO (4), 2 CRZ (4), 3 COO (6), 4 GNF (6), 5 CCF (6), 6 GRG (6), 7 CDC (6), 8 cancelled coupons
// (4), 9 cancelled non-fiscal operations (4), 10 the 30 non-fiscal counters (120), 11 the 30
// management-report counters (120), 12 the number of rates (4), 13 owner substitutions (4), 14
// passenger tickets (4), 15 the grand total (18), 16 the 16 rate totals (224), 17-28 the ICMS and
// ISSQN exemption, non-incidence, substitution, discounts, surcharges and cancellations (14 each),
// 29 the 28 first non-fiscal totals (392), 30 withdrawals, 31 supplies, 32-34 the non-fiscal
// discounts, surcharges and cancellations (14 each), 35 the 16 rates (64), 36 the movement date.
// "W" holds the day so far: 0 the 16 rate totals, 1-12 the same twelve totals as "X" 17-28, 13
// the 30 non-fiscal totals (420), 14-16 the non-fiscal discounts, surcharges and cancellations,
// 17 the grand total (18).
#include <algorithm>
#include <cstdio>
#include <optional>

#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/journal_support.h"
#include "sim/quelmar/commands/query_support.h"
#include "sim/quelmar/wire_fields.h"

namespace quelfi::sim {
namespace {

constexpr std::size_t kSlots = 30;
constexpr const char* kMake = "QUELMAR";
constexpr const char* kModel = "QM-MFD TERMICA";
constexpr const char* kType = "ECF-IF";
// Where the cheque's magnetic line sits among the reading's 39 characters.
constexpr std::size_t kChequeLineWidth = 36;

// Selectors after kInformationRead on the journal printer.
namespace selector {
constexpr char kFirmware = ')';
constexpr char kCnpj = '*';
constexpr char kStateRegistration = '+';
constexpr char kMunicipalRegistration = ',';
constexpr char kMinutesOn = '-';
constexpr char kMinutesPrinting = '.';
constexpr char kNonFiscalCounters = '/';
constexpr char kNonFiscalNames = '0';
constexpr char kPaymentForms = '1';
constexpr char kNonFiscalTotals = '2';
constexpr char kReports = '3';
constexpr char kBoundReceipts = '4';
constexpr char kCancelledNonFiscal = '5';
constexpr char kReportCount = '6';
constexpr char kCouponCount = '7';
constexpr char kJournalCount = '8';
constexpr char kReceiptsNotIssued = '9';
constexpr char kJournalSerial = ':';
constexpr char kReductionsLeft = ';';
constexpr char kMakeModel = '<';
constexpr char kPercentFree = '=';
constexpr char kJournalSize = '>';
constexpr char kJournalFree = '?';
constexpr char kLastDocument = '@';
constexpr char kExtendedStatus = 'A';
constexpr char kLastMovement = 'C';
constexpr char kLastGrandTotal = 'D';
constexpr char kOwnerState = 'F';
constexpr char kTimeLeft = 'G';
constexpr char kDayCoos = 'H';
constexpr char kDayGrandTotals = 'I';
constexpr char kCutFlag = 'J';
}  // namespace selector

constexpr char kPartialTotals = 'W';
constexpr char kReductionRecord = 'X';
constexpr char kReadCheque = 'L';
constexpr char kOnOffLine = '9';
constexpr char kCutNext = ':';
constexpr char kLeftAlignment = ';';
constexpr char kOneLineSale = '<';
constexpr const char* kOneLineAccessCode = "kqzt7391";

std::int64_t journalBytesUsed(const FiscalModel& m) {
    std::int64_t used = 0;
    for (const JournalEntry& e : m.journal)
        for (const std::string& line : e.lines) used += static_cast<std::int64_t>(line.size()) + 2;
    return used;
}

std::int64_t journalBytesFree(const FiscalModel& m) {
    const std::int64_t free = m.journalCapacity - journalBytesUsed(m);
    return free < 0 ? 0 : free;
}

std::string number(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

Money lastGrandTotal(const FiscalModel& m) {
    return m.reductions.empty() ? 0 : m.reductions.back().grandTotal;
}

// Right after a reduction the day has no document yet: the range is the reduction's own COO.
int firstCooOfDay(const FiscalModel& m) {
    const int first = m.reductions.empty() ? 1 : m.reductions.back().coo + 1;
    return std::min(first, m.counters.coo);
}

// The twelve ICMS/ISSQN day totals in the order both records keep them.
std::string dayTotals(const DayTotals& d) {
    std::string out;
    for (Money v : {d.icmsExempt, d.icmsNonIncidence, d.icmsSubstitution, d.issExempt,
                    d.issNonIncidence, d.issSubstitution, d.icmsDiscounts, d.issDiscounts,
                    d.icmsSurcharges, d.issSurcharges, d.icmsCancellations, d.issCancellations})
        out += wire::bcd(v, 7);
    return out;
}

std::string rateTotals(const std::vector<TaxRate>& rates) {
    std::string out;
    for (std::size_t i = 0; i < kTaxRateSlots; ++i)
        out += wire::bcd(i < rates.size() ? rates[i].dayTotal : 0, 7);
    return out;
}

std::string partialTotals(const FiscalModel& m) {
    std::string nonFiscal;
    for (std::size_t i = 0; i < kSlots; ++i)
        nonFiscal += wire::bcd(m.nonFiscalTotalizers[i].dayTotal, 7);
    return rateTotals(m.taxRates) + dayTotals(m.day) + nonFiscal +
           wire::bcd(m.day.nonFiscalDiscounts, 7) + wire::bcd(m.day.nonFiscalSurcharges, 7) +
           wire::bcd(m.day.nonFiscalCancellations, 7) + wire::bcd(m.grandTotal, 9);
}

std::string reductionRecord(const FiscalModel& m) {
    if (m.reductions.empty()) return std::string(621, '\0');
    const Reduction& z = m.reductions.back();
    const Counters& c = m.counters;
    std::string counts, reports, totals, rates;
    for (std::size_t i = 0; i < kSlots; ++i) {
        counts += wire::bcd(i < kNonFiscalSlots ? z.nonFiscalCounts[i] : 0, 2);
        reports += wire::bcd(m.reports[i].count, 2);
    }
    for (std::size_t i = 0; i < 28; ++i) totals += wire::bcd(z.nonFiscalTotals[i], 7);
    for (std::size_t i = 0; i < kTaxRateSlots; ++i)
        rates += wire::bcd(i < z.rates.size() ? z.rates[i].hundredths : 0, 2);
    return wire::bcd(z.automatic ? 1 : 0, 1) + wire::bcd(c.cro, 2) + wire::bcd(z.crz, 2) +
           wire::bcd(z.coo, 3) + wire::bcd(z.gnf, 3) + wire::bcd(c.ccf, 3) + wire::bcd(c.grg, 3) +
           wire::bcd(c.cdc, 3) + wire::bcd(c.cancelledCoupons, 2) +
           wire::bcd(c.cancelledNonFiscal, 2) + counts + reports +
           wire::bcd(static_cast<std::int64_t>(z.rates.size()), 2) +
           wire::bcd(c.ownerSubstitutions, 2) + wire::bcd(c.passengerTickets, 2) +
           wire::bcd(z.grandTotal, 9) + rateTotals(z.rates) + dayTotals(z.totals) + totals +
           wire::bcd(z.totals.withdrawals, 7) + wire::bcd(z.totals.supplies, 7) +
           wire::bcd(z.totals.nonFiscalDiscounts, 7) + wire::bcd(z.totals.nonFiscalSurcharges, 7) +
           wire::bcd(z.totals.nonFiscalCancellations, 7) + rates + wire::bcdDate(z.movementDate);
}

std::string paymentForms(const FiscalModel& m) {
    std::string names, first, second, flags;
    for (std::size_t i = 0; i < 20; ++i) {
        const PaymentForm form = i < m.paymentForms.size() ? m.paymentForms[i] : PaymentForm{};
        names += wire::text(form.name, 16);
        first += wire::bcd(form.dayTotal, 7);
        second += wire::bcd(form.lastCoupon, 7);
        // 'U' marks the forms a bound (TEF) receipt may follow.
        flags += form.boundReceipt ? 'U' : ' ';
    }
    return names + first + second + flags;
}

std::string nonFiscalTotals(const FiscalModel& m) {
    std::string names, amounts;
    for (std::size_t i = 0; i < kSlots; ++i) {
        names += wire::text(m.nonFiscalTotalizers[i].name, 19);
        amounts += wire::bcd(m.nonFiscalTotalizers[i].dayTotal, 7);
    }
    return names + amounts;
}

std::string reportList(const FiscalModel& m) {
    std::string out;
    for (const ManagementReport& r : m.reports)
        out += wire::bcd(r.count, 2) + wire::text(r.name, 17);
    return out;
}

void addJournalQuery(CommandRegistry& registry, std::string selector, std::size_t dataBytes,
                     DataSource source) {
    const std::size_t length = 1 + selector.size();
    registry.add(
        {std::move(selector), length, [dataBytes, source = std::move(source)](CommandContext& c) {
             if (mfd::unknownHere(c)) return;
             c.reply.data = source(c.model);
             c.reply.data.resize(dataBytes, '\0');
         }});
}

void addInfo(CommandRegistry& registry, char which, std::size_t dataBytes, DataSource source) {
    addJournalQuery(registry, std::string{'#', which}, dataBytes, std::move(source));
}

// The magnetic line: two characters of the reading's state, the line, one more. Without a cheque
// the printer answers the state "time-out" and nothing after it.
void readCheque(CommandContext& c) {
    if (mfd::unknownHere(c)) return;
    const std::string& line = c.model.chequeLine;
    if (line.empty()) {
        c.reply.shape = Reply::Shape::Raw;
        c.reply.raw = std::string{static_cast<char>(codes::kAck), '@', ' '};
        return;
    }
    c.reply.data = "@@" + wire::text(line, kChequeLineWidth) + "@";
}

void setSwitch(CommandContext& c) {
    if (mfd::unknownHere(c)) return;
    FiscalModel& m = c.model;
    const std::string_view fields = c.command.substr(2);
    const char which = fields.empty() ? '\0' : fields[0];
    const auto value = [&](std::size_t at) -> std::optional<bool> {
        if (fields.size() != at + 1 || (fields[at] != '0' && fields[at] != '1'))
            return std::nullopt;
        return fields[at] == '1';
    };
    std::optional<bool> on;
    switch (which) {
        case kOnOffLine:
            if ((on = value(1))) m.onOffLineHandling = *on;
            break;
        case kCutNext:
            on = fields.size() == 1;
            if (*on) m.cutNext = !m.cutNext;
            break;
        case kLeftAlignment:
            if ((on = value(1))) m.leftAlignment = *on;
            break;
        case kOneLineSale:
            if (fields.substr(1, 8) == kOneLineAccessCode && (on = value(9))) m.oneLineSale = *on;
            break;
        default:
            break;
    }
    if (!on) c.reply.st2 |= codes::kSt2InvalidParameter;
}

}  // namespace

void registerJournalQueries(CommandRegistry& registry) {
    using namespace selector;
    addInfo(registry, kFirmware, 3, [](const FiscalModel& m) {
        return wire::bcd(m.firmware[0], 1) + wire::bcd(m.firmware[1], 1) +
               wire::bcd(m.firmware[2], 1);
    });
    addInfo(registry, kCnpj, 20, [](const FiscalModel& m) { return wire::text(m.cnpj, 20); });
    addInfo(registry, kStateRegistration, 20,
            [](const FiscalModel& m) { return wire::text(m.stateRegistration, 20); });
    addInfo(registry, kMunicipalRegistration, 20,
            [](const FiscalModel& m) { return wire::text(m.municipalRegistration, 20); });
    addInfo(registry, kMinutesOn, 2,
            [](const FiscalModel& m) { return wire::bcd(m.minutesOn, 2); });
    addInfo(registry, kMinutesPrinting, 2,
            [](const FiscalModel& m) { return wire::bcd(m.minutesPrinting, 2); });
    addInfo(registry, kBoundReceipts, 2,
            [](const FiscalModel& m) { return wire::bcd(m.counters.cdc, 2); });
    addInfo(registry, kCancelledNonFiscal, 2,
            [](const FiscalModel& m) { return wire::bcd(m.counters.cancelledNonFiscal, 2); });
    addInfo(registry, kReportCount, 3,
            [](const FiscalModel& m) { return wire::bcd(m.counters.grg, 3); });
    addInfo(registry, kCouponCount, 3,
            [](const FiscalModel& m) { return wire::bcd(m.counters.ccf, 3); });
    addInfo(registry, kJournalCount, 3, [](const FiscalModel&) { return wire::bcd(1, 3); });
    addInfo(registry, kReceiptsNotIssued, 2, [](const FiscalModel&) { return wire::bcd(0, 2); });
    addInfo(registry, kJournalSerial, 20,
            [](const FiscalModel& m) { return wire::text(m.journalSerial, 20); });
    addInfo(registry, kReductionsLeft, 2, [](const FiscalModel& m) {
        return wire::bcd(m.fiscalMemoryCapacity - static_cast<int>(m.reductions.size()), 2);
    });
    addInfo(registry, kPercentFree, 6, [](const FiscalModel& m) {
        const double capacity = m.journalCapacity > 0 ? m.journalCapacity : 1;
        return number("%06.2f", 100.0 * static_cast<double>(journalBytesFree(m)) / capacity);
    });
    addInfo(registry, kJournalSize, 10, [](const FiscalModel& m) {
        return number("%010.0f", static_cast<double>(m.journalCapacity));
    });
    addInfo(registry, kJournalFree, 10, [](const FiscalModel& m) {
        return number("%010.0f", static_cast<double>(journalBytesFree(m)));
    });
    addInfo(registry, kLastDocument, 6, [](const FiscalModel& m) {
        return m.journal.empty() ? std::string(6, '\0') : wire::bcdDateTime(m.journal.back().at);
    });
    addInfo(registry, kExtendedStatus, 1,
            [](const FiscalModel& m) { return std::string(1, static_cast<char>(fiscalFlags(m))); });
    addInfo(registry, kLastMovement, 3, [](const FiscalModel& m) {
        return m.reductions.empty() ? std::string(3, '\0')
                                    : wire::bcdDate(m.reductions.back().movementDate);
    });
    addInfo(registry, kLastGrandTotal, 9,
            [](const FiscalModel& m) { return wire::bcd(lastGrandTotal(m), 9); });
    addInfo(registry, kOwnerState, 2,
            [](const FiscalModel& m) { return wire::text(m.ownerState, 2); });
    addInfo(registry, kTimeLeft, 2, [](const FiscalModel&) { return wire::bcd(0, 2); });
    addInfo(registry, kDayCoos, 6, [](const FiscalModel& m) {
        return wire::bcd(firstCooOfDay(m), 3) + wire::bcd(m.counters.coo, 3);
    });
    addInfo(registry, kDayGrandTotals, 18, [](const FiscalModel& m) {
        return wire::bcd(lastGrandTotal(m), 9) + wire::bcd(m.grandTotal, 9);
    });
    addInfo(registry, kCutFlag, 1,
            [](const FiscalModel& m) { return std::string(1, m.cutNext ? '1' : '0'); });
    addInfo(registry, kNonFiscalCounters, 60, [](const FiscalModel& m) {
        std::string out;
        for (std::size_t i = 0; i < kSlots; ++i)
            out += wire::bcd(m.nonFiscalTotalizers[i].count, 2);
        return out;
    });
    addInfo(registry, kNonFiscalNames, 570, [](const FiscalModel& m) {
        std::string out;
        for (std::size_t i = 0; i < kSlots; ++i)
            out += wire::text(m.nonFiscalTotalizers[i].name, 19);
        return out;
    });
    addInfo(registry, kPaymentForms, 620, paymentForms);
    addInfo(registry, kNonFiscalTotals, 780, nonFiscalTotals);
    addInfo(registry, kReports, 570, reportList);
    addInfo(registry, kMakeModel, 42, [](const FiscalModel&) {
        return wire::text(kMake, 15) + wire::text(kModel, 20) + wire::text(kType, 7);
    });
    addJournalQuery(registry, std::string{kPartialTotals}, 436, partialTotals);
    addJournalQuery(registry, std::string{kReductionRecord}, 621, reductionRecord);
    registry.add({std::string{kReadCheque}, 2, readCheque});
    for (char which : {kOnOffLine, kCutNext, kLeftAlignment, kOneLineSale})
        registry.add({std::string{static_cast<char>(codes::kExtended), which}, 0, setSwitch});
}

}  // namespace quelfi::sim
