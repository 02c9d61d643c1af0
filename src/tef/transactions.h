// The TEF exports' bodies: the manager's directories and activity, card and cheque sales, their
// confirmation or undoing, the cancellation of an earlier card sale, the manager's administrative
// menu, the voucher printed in the bound receipt or a management report, and the input mode that
// keeps the operator's hands off while the manager works. Only the directory set-up and the input
// mode write to the call log; the rest talk to the operator in message boxes.
#pragma once

namespace quelfi::tef {

int configureDirectories(const char* requests, const char* responses);
int managerStatus(const char* identification);
void deleteResiduesNow();

int cardSale(const char* identification, const char* amount);
int chequeSale(const char* identification, const char* amount);
int completeCardSale(const char* identification, const char* amount, const char* form,
                     const char* message);
int administrativeMenu(const char* identification);

int confirmSale(const char* identification, const char* amount, const char* operation);
int undoUnprintedSale(const char* identification, const char* amount);
int cancelCardSale(const char* identification, const char* amount, const char* transaction,
                   const char* document, const char* date, const char* time, const char* network);

int printVoucher(const char* identification, const char* form, const char* amount);
int printReport();

int startInputMode();
int endInputMode();

}  // namespace quelfi::tef
