// The passenger ticket of the journal printers: thirteen arguments checked in their order, then
// the command "%" with fixed-width fields, all of it in the printer's code page.
#include "mfd/journal_ticket.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "fiscal/argument_format.h"
#include "mfd/document_call.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"

namespace quelfi::mfd {

namespace {

constexpr char kOpenTicket = '%';
// The ticket's own number: the printer counts it.
constexpr std::string_view kTicketNumber = "000";
constexpr std::size_t kTextWidth = 40;
constexpr std::size_t kSeatWidth = 2;
constexpr std::size_t kPlatformWidth = 3;
constexpr std::size_t kKindWidth = 1;
constexpr std::size_t kStateWidth = 2;
constexpr std::size_t kIdentityWidth = 29;
constexpr std::size_t kNameWidth = 30;
constexpr std::size_t kAddressWidth = 80;
const std::string kBlankMoment(6, ' ');

std::string padded(const std::string& text, std::size_t width) {
    return text + std::string(width - text.size(), ' ');
}

bool allDigits(const std::string& text) {
    for (const char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

}  // namespace

int openPassengerTicket(const Road& road, const JournalTicketArguments& a) {
    const DocumentCall call(road, protocol::exportRow("Quelmar_FI_AbreBilhetePassagemMFD"));
    const std::string invalid = "Retorno: -2 - Parametro invalido para ";
    // A required journey text: absent, the line ends at the field's name.
    auto refuseText = [&](const char* what, const char* given) {
        const std::string text = core::argText(given);
        if (text.empty()) return call.failLine(-2, invalid + what);
        return call.refuse(invalid + what + ": ", given);
    };

    std::string journey;
    for (auto [argument, what] :
         {std::pair{a.boarding, "embarque"}, {a.destination, "destino"}, {a.route, "linha"}}) {
        const std::string text = core::argText(argument);
        if (text.empty() || text.size() > kTextWidth) return refuseText(what, argument);
        journey += padded(text, kTextWidth);
    }
    const std::string agency = core::argText(a.agency);
    if (agency.size() > kTextWidth) return call.refuse(invalid + "agencia: ", a.agency);

    const std::string dateText = core::argText(a.date);
    std::string date = kBlankMoment;
    if (dateText != kBlankMoment) {
        const auto shortDate = fiscal::shortDate(dateText);
        if (!allDigits(dateText) || !shortDate || !fiscal::isValidShortDate(*shortDate))
            return call.refuse(invalid + "data: ", a.date);
        date = *shortDate;
    }
    const std::string time = core::argText(a.time);
    if (time != kBlankMoment && (time.size() != kBlankMoment.size() || !allDigits(time)))
        return call.failLine(-2, invalid + "hora");
    // The seat travels as two digits: anything else would reach the printer as "00".
    const std::string seat = core::argText(a.seat);
    if (seat.size() > kSeatWidth || !allDigits(seat))
        return call.refuse(invalid + "poltrona: ", a.seat);
    const std::string platform = core::argText(a.platform);
    if (platform.size() > kPlatformWidth) return call.refuse(invalid + "plataforma: ", a.platform);
    const std::string kind = core::argText(a.kind);
    if (kind.size() != kKindWidth) return call.failLine(-2, invalid + "tipo");
    const std::string identity = core::argText(a.identity);
    if (identity.size() > kIdentityWidth)
        return call.refuse("Retorno: -2 - Parametro invalido no RG ", a.identity);
    const std::string name = core::argText(a.name);
    if (name.size() > kNameWidth)
        return call.refuse("Retorno: -2 - Parametro invalido no nome ", a.name);
    const std::string address = core::argText(a.address);
    if (address.size() > kAddressWidth)
        return call.refuse("Retorno: -2 - Parametro invalido no endereco ", a.address);
    const std::string state = core::argText(a.destinationState);
    if (state.size() > kStateWidth) return call.failLine(-2, invalid + "UF de destino");

    if (auto forwarded = call.handOver({core::argText(a.boarding), core::argText(a.destination),
                                        core::argText(a.route), agency, dateText, time, seat,
                                        platform, kind, identity, name, address, state}))
        return *forwarded;
    char seatDigits[8];
    std::snprintf(seatDigits, sizeof seatDigits, "%02d", std::atoi(seat.c_str()));
    const std::string fields = std::string(kTicketNumber) + journey +
                               std::string(2 * kTextWidth, ' ') + padded(agency, kTextWidth) +
                               date + time + seatDigits + padded(platform, kPlatformWidth) + kind +
                               padded(state, kStateWidth) + padded(identity, kIdentityWidth) +
                               padded(name, kNameWidth) + padded(address, kAddressWidth);
    protocol::CommandSpec spec;
    spec.command =
        protocol::prefixed(protocol::inPrinterCodePage(std::string(1, kOpenTicket) + fields));
    return call.run(spec);
}

}  // namespace quelfi::mfd
