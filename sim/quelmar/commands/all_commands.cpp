#include "sim/quelmar/commands/commands.h"

namespace quelfi::sim {

void registerAllCommands(CommandRegistry& registry) {
    registerStatusCommands(registry);
    registerIdentityQueries(registry);
    registerCounterQueries(registry);
    registerDayQueries(registry);
    registerTableQueries(registry);
    registerDeviceCommands(registry);
    registerSaleCommands(registry);
    registerCouponCancelCommands(registry);
    registerPaymentCommands(registry);
}

}  // namespace quelfi::sim
