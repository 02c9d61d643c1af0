// The electronic-journal printers' cheque: reading the magnetic line of a cheque in the slip, and
// printing a cheque with its back-printing settings, kept in the INI for its copy.
#pragma once

#include "fiscal/cheque_documents.h"
#include "protocol/road.h"

namespace quelfi::mfd {

using protocol::Road;

// LeituraChequeMFD: the 36 characters of the magnetic line. -9 on a time-out, -10 when the
// printer could not read a character of it.
int readCheque(const Road& road, char* line);

struct JournalChequeArguments {
    const char* bank;
    const char* amount;
    const char* payee;
    const char* city;
    const char* date;
    const char* message;
    const char* backPrinting;  // "0" or "1"
    const char* lines;         // 0 to 35
};
int printCheque(const Road& road, const JournalChequeArguments& cheque);

// The copy of the last cheque, as ImprimeCopiaCheque hands it over on these printers.
int printChequeCopy(const Road& road, const fiscal::ChequeCopy& copy);

}  // namespace quelfi::mfd
