// Queries about the machine and its owner: serial number, firmware, owner registrations, cliché,
// store and register numbers, currency symbol, printer type.
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/query_support.h"
#include "sim/quelmar/wire_fields.h"

namespace quelfi::sim {
namespace {

// The 20-character fabrication number is this mark followed by the 15-character serial, so both
// serial queries show the same serial.
constexpr const char* kFabricationMark = "QMECF";

// Each of the three bytes is 0 when its feature bit of (type - 1) is set, 255 otherwise.
std::string printerTypeBytes(int type) {
    const int bits = (type < 1 || type > 8 ? 1 : type) - 1;
    std::string out;
    for (int bit : {4, 2, 1}) out += static_cast<char>((bits & bit) ? 0 : 255);
    return out;
}

}  // namespace

void registerIdentityQueries(CommandRegistry& registry) {
    using namespace codes::info;
    addQuery(registry, infoSelector(kSerialNumber), 15,
             [](const FiscalModel& m) { return wire::text(m.serialNumber, 15); });
    addQuery(registry, infoSelector(kFabricationNumber), 20, [](const FiscalModel& m) {
        return std::string(kFabricationMark) + wire::text(m.serialNumber, 15);
    });
    addQuery(registry, infoSelector(kFirmwareVersion), 2, [](const FiscalModel& m) {
        return wire::bcd(m.firmware[0], 1) + wire::bcd(m.firmware[1], 1);
    });
    addQuery(registry, infoSelector(kOwnerCnpjIe), 33, [](const FiscalModel& m) {
        return wire::text(m.cnpj, 18) + wire::text(m.stateRegistration, 15);
    });
    addQuery(registry, infoSelector(kOwnerCliche), 186,
             [](const FiscalModel& m) { return wire::text(m.cliche, 186); });
    addQuery(registry, infoSelector(kRegisterNumber), 2,
             [](const FiscalModel& m) { return wire::bcd(m.registerNumber, 2); });
    addQuery(registry, infoSelector(kStoreNumber), 2,
             [](const FiscalModel& m) { return wire::bcd(m.storeNumber, 2); });
    addQuery(registry, infoSelector(kCurrencySymbol), 2,
             [](const FiscalModel& m) { return wire::text(m.currencySymbol, 2); });
    addQuery(registry, infoSelector(kPrinterType), 3,
             [](const FiscalModel& m) { return printerTypeBytes(m.printerType); });
}

}  // namespace quelfi::sim
