// The mechanism and its sensors: drawer, cheque station, paper monitor, and the settings the
// printer reports as single bytes (operation mode, EPROM, rounding or truncation).
#include "sim/quelmar/cheque_station.h"
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/query_support.h"

namespace quelfi::sim {
namespace {

std::string byte(int value) {
    return std::string(1, static_cast<char>(value));
}

}  // namespace

void registerDeviceCommands(CommandRegistry& registry) {
    using namespace codes::info;
    // The second byte is the length of the opening pulse; any length opens the drawer.
    registry.add({std::string(1, static_cast<char>(codes::kOpenDrawer)), 3,
                  [](CommandContext& c) { c.model.drawerOpen = true; }});
    addQuery(registry, std::string(1, static_cast<char>(codes::kDrawerStatus)), 1,
             [](const FiscalModel& m) {
                 return byte(m.drawerOpen ? codes::kDrawerOpen : codes::kDrawerClosed);
             });
    addQuery(registry, std::string{static_cast<char>(codes::kExtended), codes::kChequeStatus}, 1,
             [](const FiscalModel& m) { return byte(chequeSensorByte(m)); });
    // Lines printed since the paper-near-end sensor went on, high byte first.
    addQuery(registry, std::string{static_cast<char>(codes::kExtended), codes::kPaperMonitor}, 2,
             [](const FiscalModel& m) {
                 return byte(m.linesSinceNearEnd >> 8 & 0xFF) + byte(m.linesSinceNearEnd & 0xFF);
             });
    addQuery(registry, infoSelector(kOperationMode), 1,
             [](const FiscalModel& m) { return byte(m.operationMode); });
    addQuery(registry, infoSelector(kEpromConnected), 1,
             [](const FiscalModel& m) { return byte(m.epromConnected); });
    addQuery(registry, infoSelector(kTruncation), 1,
             [](const FiscalModel& m) { return byte(m.truncation ? 1 : 0); });
}

}  // namespace quelfi::sim
