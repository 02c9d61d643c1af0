// The printer's commands, grouped by subject. Each group registers its handlers in the command
// table; `registerAllCommands` lists the groups, so a new subject is one file and one line there.
#pragma once

#include "sim/quelmar/command_registry.h"

namespace quelfi::sim {

void registerAllCommands(CommandRegistry& registry);

// The fiscal day: readings, the Z reduction, the non-fiscal documents.
void registerReadingCommands(CommandRegistry& registry);
void registerDayCommands(CommandRegistry& registry);
void registerReportCommands(CommandRegistry& registry);
void registerNonFiscalCommands(CommandRegistry& registry);

void registerStatusCommands(CommandRegistry& registry);
void registerIdentityQueries(CommandRegistry& registry);
void registerCounterQueries(CommandRegistry& registry);
void registerDayQueries(CommandRegistry& registry);
void registerTableQueries(CommandRegistry& registry);
void registerDeviceCommands(CommandRegistry& registry);
void registerDownloadCommands(CommandRegistry& registry);
void registerSaleCommands(CommandRegistry& registry);
void registerCouponCancelCommands(CommandRegistry& registry);
void registerPaymentCommands(CommandRegistry& registry);

// The cheque station, the passenger ticket and the printer's programming.
void registerChequeCommands(CommandRegistry& registry);
void registerTicketCommands(CommandRegistry& registry);
void registerProgrammingCommands(CommandRegistry& registry);

// The electronic-journal model's own documents.
void registerJournalCouponCommands(CommandRegistry& registry);
void registerReceiptCommands(CommandRegistry& registry);
void registerJournalDocumentCommands(CommandRegistry& registry);
// The journal printer's queries, cheque reading and switches.
void registerJournalQueries(CommandRegistry& registry);
// The restaurant firmware's tables, orders, bill checks and split bills.
void registerRestaurantCommands(CommandRegistry& registry);
// The credit note; the closing message ends it (endCreditNote).
void registerCreditNoteCommands(CommandRegistry& registry);
void endCreditNote(CommandContext& c);

}  // namespace quelfi::sim
