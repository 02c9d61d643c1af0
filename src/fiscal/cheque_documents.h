// The documents of the cheque station and their settings: the cheque printed from its bank's
// layout in the INI, the copy of the last one, the default payee and city, the cancellation of a
// cheque waiting for its document; the authentication of a document and its character; the needle
// impact; and the passenger ticket.
#pragma once

#include <string>

#include "protocol/road.h"

namespace quelfi::fiscal {

using protocol::Road;

int printCheque(const Road& road, const char* bank, const char* amount, const char* payee,
                const char* city, const char* date, const char* message);

// The last cheque as the "Copia" section keeps it, for printing it again.
struct ChequeCopy {
    std::string bank, amount, payee, city, date, message;
    std::string backPrinting, lines;  // the electronic-journal cheque's back-printing settings
};
// Where the copy goes on the electronic-journal printers: their own cheque, nested.
using JournalCheque = int (*)(const Road& road, const ChequeCopy& copy);
int printChequeCopy(const Road& road, JournalCheque journalCheque);

int setChequeDefaults(const Road& road, const char* city, const char* payee);
int cancelChequePrint(const Road& road);

int authenticate(const Road& road);
int programAuthenticationCharacter(const Road& road, const char* values);
int setNeedleImpact(const Road& road, int force);

struct TicketArguments {
    const char* fareAtEnd;
    const char* emphasised;
    const char* boarding;
    const char* destination;
    const char* route;
    const char* prefix;
    const char* agent;
    const char* agency;
    const char* date;
    const char* time;
    const char* seat;
    const char* platform;
};
int openPassengerTicket(const Road& road, const TicketArguments& arguments);

}  // namespace quelfi::fiscal
