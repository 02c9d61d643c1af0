#include "sim/quelmar/commands/commands.h"

namespace quelfi::sim {

void registerAllCommands(CommandRegistry& registry) {
    // The day's documents come first: a group registered later may take over a command they
    // share (the payment-form index, which the sale's payments ask too).
    registerReadingCommands(registry);
    registerDayCommands(registry);
    registerReportCommands(registry);
    registerNonFiscalCommands(registry);
    registerStatusCommands(registry);
    registerIdentityQueries(registry);
    registerCounterQueries(registry);
    registerDayQueries(registry);
    registerTableQueries(registry);
    registerDeviceCommands(registry);
    registerDownloadCommands(registry);
    registerSaleCommands(registry);
    registerCouponCancelCommands(registry);
    registerPaymentCommands(registry);
    registerChequeCommands(registry);
    registerTicketCommands(registry);
    registerProgrammingCommands(registry);
    registerJournalCouponCommands(registry);
    registerReceiptCommands(registry);
    registerJournalDocumentCommands(registry);
    registerJournalQueries(registry);
    registerRestaurantCommands(registry);
    registerCreditNoteCommands(registry);
}

}  // namespace quelfi::sim
