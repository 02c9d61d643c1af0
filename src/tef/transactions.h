// The TEF exports' bodies: the manager's directories and activity, card and cheque sales, their
// confirmation or undoing, the cancellation of an earlier card sale, the manager's administrative
// menu, the voucher printed in the bound receipt or a management report, and the input mode that
// keeps the operator's hands off while the manager works. Only the directory set-up and the input
// mode write to the call log; the rest talk to the operator in message boxes.
#pragma once

#include "protocol/road.h"

namespace quelfi::tef {

using protocol::Road;

int configureDirectories(const Road& road, const char* requests, const char* responses);
int managerStatus(const char* identification);
void deleteResiduesNow();

int cardSale(const Road& road, const char* identification, const char* amount);
int chequeSale(const Road& road, const char* identification, const char* amount);
int completeCardSale(const Road& road, const char* identification, const char* amount,
                     const char* form, const char* message);
int administrativeMenu(const char* identification);

int confirmSale(const char* identification, const char* amount, const char* operation);
int undoUnprintedSale(const Road& road, const char* identification, const char* amount);
int cancelCardSale(const Road& road, const char* identification, const char* amount,
                   const char* transaction, const char* document, const char* date,
                   const char* time, const char* network);

int printVoucher(const Road& road, const char* identification, const char* form,
                 const char* amount);
int printReport(const Road& road);

int startInputMode(const Road& road);
int endInputMode(const Road& road);

}  // namespace quelfi::tef
