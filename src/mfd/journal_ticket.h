// The electronic-journal printers' passenger ticket: the journey, the seat and the passenger's
// identity in one command that opens the ticket; the fare is sold and the ticket closed like a
// coupon.
#pragma once

#include "protocol/road.h"

namespace quelfi::mfd {

using protocol::Road;

struct JournalTicketArguments {
    const char* boarding;
    const char* destination;
    const char* route;
    const char* agency;
    const char* date;  // six blanks, DDMMAA or DDMMAAAA
    const char* time;  // six blanks or HHMMSS
    const char* seat;
    const char* platform;
    const char* kind;
    const char* identity;
    const char* name;
    const char* address;
    const char* destinationState;
};
int openPassengerTicket(const Road& road, const JournalTicketArguments& a);

}  // namespace quelfi::mfd
