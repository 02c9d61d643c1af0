#include "fiscal/ticket_fields.h"

#include "fiscal/argument_format.h"

namespace quelfi::fiscal {
namespace {

constexpr std::size_t kTextWidth = 40;
constexpr std::size_t kSeatWidth = 2;
constexpr std::size_t kPlatformWidth = 3;

}  // namespace

std::string ticketFields(const PassengerTicket& t) {
    std::string fields{t.fareAtEnd, t.emphasised};
    for (const std::string* text :
         {&t.boarding, &t.destination, &t.route, &t.prefix, &t.agent, &t.agency})
        fields += blankFill(*text, kTextWidth);
    return fields + t.date + t.time + zeroFill(t.seat, kSeatWidth) +
           blankFill(t.platform, kPlatformWidth);
}

}  // namespace quelfi::fiscal
