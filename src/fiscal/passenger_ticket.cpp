// The passenger ticket's opening: twelve arguments checked in their order, then one command that
// opens the ticket with the journey; the fare is sold and the ticket closed like a coupon.
#include <cctype>

#include "fiscal/argument_format.h"
#include "fiscal/cheque_documents.h"
#include "fiscal/ticket_fields.h"
#include "protocol/call.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

namespace {

constexpr std::string_view kOpenTicket = "%0";
constexpr std::size_t kTextWidth = 40;
constexpr std::size_t kSeatWidth = 2;
constexpr std::size_t kPlatformWidth = 3;
const std::string kBlankMoment(6, ' ');

// A flag's digit: the text a whole number 0 or 1, blanks around it allowed ("01" is 1).
std::optional<char> flagDigit(const std::string& text) {
    std::size_t i = 0, end = text.size();
    while (i < end && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    while (end > i && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    if (i < end && text[i] == '+') ++i;
    if (i == end) return std::nullopt;
    int value = 0;
    for (; i < end; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])) || value > 1) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    if (value > 1) return std::nullopt;
    return static_cast<char>('0' + value);
}

}  // namespace

int openPassengerTicket(const Road& road, const TicketArguments& a) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_AbreBilhetePassagem"),
                              core::Header::Always);
    const std::string invalid =
        "Retorno Quelmar_FI_AbreBilhetePassagem: -2 - Parametro invalido para ";
    // A refusal naming what was wrong, followed by the argument when it was given but not right.
    auto refuse = [&](const std::string& what) { return call.failLine(-2, invalid + what); };
    auto refuseGiven = [&](const std::string& what, const std::string& given) {
        return call.failLine(-2, invalid + what + ": " + given);
    };

    PassengerTicket ticket;
    const std::string fareText = core::argText(a.fareAtEnd);
    const std::string fareFlag = "o flag de impressao do valor no fim do cupom";
    if (fareText.empty()) return refuse(fareFlag);
    const auto fare = flagDigit(fareText);
    if (!fare) return refuseGiven(fareFlag, fareText);
    ticket.fareAtEnd = *fare;
    const std::string emphasisText = core::argText(a.emphasised);
    const std::string emphasisFlag = "o flag de impressao enfatizada";
    if (emphasisText.empty()) return refuse(emphasisFlag);
    const auto emphasis = flagDigit(emphasisText);
    if (!emphasis) return refuseGiven(emphasisFlag, emphasisText);
    ticket.emphasised = *emphasis;

    struct Text {
        const char* argument;
        const char* what;
        bool required;
        std::string* field;
    };
    const Text texts[] = {
        {a.boarding, "embarque", true, &ticket.boarding},
        {a.destination, "destino", true, &ticket.destination},
        {a.route, "linha", true, &ticket.route},
        {a.prefix, "prefixo", false, &ticket.prefix},
        {a.agent, "agente", false, &ticket.agent},
        {a.agency, "agencia", false, &ticket.agency},
    };
    for (const Text& t : texts) {
        const std::string value = core::argText(t.argument);
        if (t.required && value.empty()) {
            // The boarding place's line never carried the export's name.
            if (t.field == &ticket.boarding)
                return call.failLine(-2, "Retorno: -2 - Parametro invalido para embarque");
            return refuse(t.what);
        }
        if (value.size() > kTextWidth) return refuseGiven(t.what, value);
        *t.field = value;
    }

    const std::string dateText = core::argText(a.date);
    if (dateText.empty()) return refuse("data");
    ticket.date = kBlankMoment;
    if (dateText != kBlankMoment) {
        const auto date = shortDate(keepDigits(dateText));
        if (!date || !isValidShortDate(*date)) return refuseGiven("data", dateText);
        ticket.date = *date;
    }
    const std::string timeText = core::argText(a.time);
    ticket.time = timeText == kBlankMoment ? kBlankMoment : keepDigits(timeText);
    if (timeText.empty() || ticket.time.size() != kBlankMoment.size()) return refuse("hora");
    const std::string seatText = core::argText(a.seat);
    if (seatText.empty()) return refuse("poltrona");
    if (seatText.size() > kSeatWidth) return refuseGiven("poltrona", seatText);
    ticket.seat = seatText;
    // The printer reads three characters of platform: a longer one is refused, not sent askew.
    const std::string platformText = core::argText(a.platform);
    if (platformText.size() > kPlatformWidth) return refuseGiven("plataforma", platformText);
    ticket.platform = platformText;

    const protocol::Parameters arguments = {fareText,
                                            emphasisText,
                                            core::argText(a.boarding),
                                            core::argText(a.destination),
                                            core::argText(a.route),
                                            core::argText(a.prefix),
                                            core::argText(a.agent),
                                            core::argText(a.agency),
                                            dateText,
                                            timeText,
                                            seatText,
                                            platformText};
    std::string line;
    for (const std::string& argument : arguments)
        line += (&argument == &arguments.front() ? "" : "|") + argument;
    call.logRecord(line);
    if (auto forwarded = call.handOver(arguments)) return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(
        protocol::inPrinterCodePage(std::string(kOpenTicket) + ticketFields(ticket)));
    return call.run(spec);
}

}  // namespace quelfi::fiscal
