// The passenger ticket's fields as the printer takes them, once each argument is checked.
#pragma once

#include <string>

namespace quelfi::fiscal {

struct PassengerTicket {
    char fareAtEnd = '0';   // '1': the fare printed again at the end
    char emphasised = '0';  // '1': printed emphasised
    std::string boarding, destination, route, prefix, agent, agency;  // code page 850, at most 40
    std::string date;                                                 // DDMMAA or six blanks
    std::string time;                                                 // HHMMSS or six blanks
    std::string seat;                                                 // one or two characters
    std::string platform;                                             // at most three characters
};

// The two flag digits, the six texts each left-aligned in 40, date, time, the seat zero-filled to
// two and the platform left-aligned in three.
std::string ticketFields(const PassengerTicket& ticket);

}  // namespace quelfi::fiscal
