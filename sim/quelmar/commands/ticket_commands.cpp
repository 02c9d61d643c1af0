// The passenger ticket: a coupon of its own kind, opened with the journey instead of the customer,
// then sold and closed like any coupon. It takes a COO and counts in the tickets' counter.
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/day_support.h"
#include "sim/quelmar/commands/sale_support.h"
#include "sim/quelmar/day_rules.h"
#include "sim/quelmar/ticket_layout.h"

namespace quelfi::sim {
namespace {

constexpr std::size_t kTextWidth = 40;
constexpr std::size_t kTextFields = 6;
// Two flags, six texts, date, time, seat (2) and platform (3).
constexpr std::size_t kFields = 2 + kTextFields * kTextWidth + 6 + 6 + 2 + 3;
const std::string kBlankMoment(6, ' ');

std::optional<bool> flag(char c) {
    if (c != '0' && c != '1') return std::nullopt;
    return c == '1';
}

// Six blanks (nothing to print) or HHMMSS.
bool readTime(std::string_view field, std::optional<DateTime>& out) {
    if (field == kBlankMoment) return true;
    const auto h = wireNumber(field.substr(0, 2)), m = wireNumber(field.substr(2, 2)),
               s = wireNumber(field.substr(4, 2));
    if (!h || !m || !s || *h > 23 || *m > 59 || *s > 59) return false;
    out = DateTime{{}, static_cast<int>(*h), static_cast<int>(*m), static_cast<int>(*s)};
    return true;
}

void openTicket(CommandContext& c) {
    FiscalModel& m = c.model;
    const std::string_view f = c.command.substr(3);
    if (f.size() != kFields) return sale::wrongLength(c.reply);
    const auto amountAtEnd = flag(f[0]);
    const auto emphasised = flag(f[1]);
    layout::Journey journey;
    std::string* texts[kTextFields] = {&journey.boarding, &journey.destination, &journey.route,
                                       &journey.prefix,   &journey.agent,       &journey.agency};
    for (std::size_t i = 0; i < kTextFields; ++i)
        *texts[i] = fieldText(f.substr(2 + i * kTextWidth, kTextWidth));
    std::size_t at = 2 + kTextFields * kTextWidth;
    const std::string_view date = f.substr(at, 6);
    if (date != kBlankMoment) journey.date = wireDate(date);
    const bool timeRead = readTime(f.substr(at + 6, 6), journey.time);
    journey.seat = fieldText(f.substr(at + 12, 2));
    journey.platform = fieldText(f.substr(at + 14, 3));
    if (!amountAtEnd || !emphasised || journey.boarding.empty() || journey.destination.empty() ||
        journey.route.empty() || (date != kBlankMoment && !journey.date) || !timeRead ||
        journey.seat.empty())
        return sale::invalidParameter(c.reply);
    journey.emphasised = *emphasised;

    if (couponOpen(m)) return sale::refuse(c.reply, 0, codes::kSt1CouponOpen);
    if (m.document != DocumentState::None) return sale::refuse(c.reply);
    if (auto refusal = newDocumentRefusal(m)) return sale::refuse(c.reply, *refusal);
    if (sale::refusedWithoutPaper(c)) return;

    SaleCoupon ticket;
    ticket.pending = m.coupon.pending;
    ticket.passengerTicket = true;
    ticket.fareAtEnd = *amountAtEnd;
    ticket.coo = ++m.counters.coo;
    ++m.counters.passengerTickets;
    m.counters.lastItem = 0;
    m.lastCouponCancellable = false;
    m.document = DocumentState::Coupon;
    markDocumentStarted(m);
    m.coupon = std::move(ticket);
    c.paper.printLines(layout::ticketOpening(m, m.coupon.coo, journey));
}

}  // namespace

void registerTicketCommands(CommandRegistry& registry) {
    registry.add({std::string{static_cast<char>(codes::kPassengerTicket), codes::kOpenTicket}, 0,
                  openTicket});
}

}  // namespace quelfi::sim
