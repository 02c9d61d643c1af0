// Programming the printer: tax rates with their binding, totalizer and department names, the
// currency's symbol and names, rounding or truncation, daylight saving, paper feed and spacing,
// needle impact, the authentication character and the reset. What shapes the fiscal day (rates,
// totalizers, rounding, leaving daylight saving) is refused once the day has movement; nothing is
// programmed while a document is open.
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/day_support.h"
#include "sim/quelmar/commands/sale_support.h"

namespace quelfi::sim {
namespace {

constexpr std::size_t kTotalizerName = 19;
constexpr std::size_t kDepartmentName = 10;
constexpr std::size_t kCurrencySingular = 19;
constexpr std::size_t kCurrencyPlural = 22;
constexpr std::size_t kAuthenticationColumns = 18;
constexpr std::int64_t kOneHour = 3600;

std::string one(std::uint8_t byte) {
    return std::string(1, static_cast<char>(byte));
}

std::uint8_t byteAt(const CommandContext& c, std::size_t index) {
    return static_cast<std::uint8_t>(c.command[index]);
}

// Refuses the command while a document is open, and also while the day has movement when
// `dayMustBeQuiet`.
bool refusedNow(CommandContext& c, bool dayMustBeQuiet) {
    const bool refused = c.model.document != DocumentState::None ||
                         (dayMustBeQuiet && c.model.movementDate.has_value());
    if (refused) refuseNow(c.model, c.reply);
    return refused;
}

// Four digits of the rate in hundredths, then the binding: 0 ICMS, 1 ISS.
void programTaxRate(CommandContext& c) {
    const auto rate = wireNumber(c.command.substr(2, 4));
    const char binding = c.command[6];
    if (!rate || (binding != '0' && binding != '1')) return refuseFields(c.reply);
    if (refusedNow(c, true)) return;
    if (c.model.taxRates.size() >= kTaxRateSlots)
        return sale::refuse(c.reply, codes::kSt2RateTableFull);
    c.model.taxRates.push_back(
        {static_cast<int>(*rate), binding == '1' ? TaxBinding::Iss : TaxBinding::Icms, 0});
}

// A slot number in two digits, 1 to `slots`; nothing when it is not one.
std::optional<std::size_t> slotIndex(std::string_view digits, std::size_t slots) {
    const auto n = wireNumber(digits);
    if (!n || *n < 1 || *n > static_cast<std::int64_t>(slots)) return std::nullopt;
    return static_cast<std::size_t>(*n - 1);
}

void nameTotalizer(CommandContext& c) {
    const auto slot = slotIndex(c.command.substr(2, 2), kNonFiscalSlots);
    const std::string name = fieldText(c.command.substr(4, kTotalizerName));
    if (!slot || name.empty()) return refuseFields(c.reply);
    if (refusedNow(c, true)) return;
    c.model.nonFiscalTotalizers[*slot].name = name;
}

void nameDepartment(CommandContext& c) {
    const auto slot = slotIndex(c.command.substr(2, 2), kDepartmentSlots);
    const std::string name = fieldText(c.command.substr(4, kDepartmentName));
    if (!slot || name.empty()) return refuseFields(c.reply);
    if (refusedNow(c, false)) return;
    c.model.departments[*slot].name = name;
}

// A text setting of a fixed width, blank-filled.
void programText(CommandContext& c, std::string FiscalModel::*field) {
    const std::string text = fieldText(c.command.substr(2));
    if (text.empty()) return refuseFields(c.reply);
    if (refusedNow(c, false)) return;
    c.model.*field = text;
}

void programRounding(CommandContext& c) {
    const std::uint8_t mode = byteAt(c, 2);
    if (mode != codes::kRound && mode != codes::kTruncate) return refuseFields(c.reply);
    if (refusedNow(c, true)) return;
    c.model.truncation = mode == codes::kTruncate;
}

// Each call moves the clock an hour: forward into daylight saving, back out of it.
void toggleDaylightSaving(CommandContext& c) {
    FiscalModel& m = c.model;
    if (refusedNow(c, m.daylightSaving)) return;
    m.clock.shift(m.daylightSaving ? -kOneHour : kOneHour);
    m.daylightSaving = !m.daylightSaving;
}

void needleImpact(CommandContext& c) {
    const std::uint8_t force = byteAt(c, 2);
    if (force < 1 || force > 3) return refuseFields(c.reply);
    c.model.needleImpact = force;
}

void programAuthentication(CommandContext& c) {
    c.model.authenticationCharacter = std::string(c.command.substr(2, kAuthenticationColumns));
}

// The mechanism starts again as it left the factory: a waiting cheque is dropped and the document
// released; the fiscal data and the programmed tables stay.
void resetPrinter(CommandContext& c) {
    const FiscalModel factory;
    FiscalModel& m = c.model;
    m.waitingCheque.reset();
    m.chequeSensor = 0;
    m.linesAfterDocument = factory.linesAfterDocument;
    m.lineSpacing = factory.lineSpacing;
    m.needleImpact = factory.needleImpact;
}

}  // namespace

void registerProgrammingCommands(CommandRegistry& registry) {
    using namespace codes;
    registry.add({one(kProgramTaxRate), 7, programTaxRate});
    registry.add({one(kNameTotalizer), 4 + kTotalizerName, nameTotalizer});
    registry.add({one(kNameDepartment), 4 + kDepartmentName, nameDepartment});
    registry.add({one(kProgramCurrencySymbol), 4,
                  [](CommandContext& c) { programText(c, &FiscalModel::currencySymbol); }});
    registry.add({one(kProgramCurrencySingular), 2 + kCurrencySingular,
                  [](CommandContext& c) { programText(c, &FiscalModel::currencySingular); }});
    registry.add({one(kProgramCurrencyPlural), 2 + kCurrencyPlural,
                  [](CommandContext& c) { programText(c, &FiscalModel::currencyPlural); }});
    registry.add({one(kProgramRounding), 3, programRounding});
    registry.add({one(kToggleDaylightSaving), 2, toggleDaylightSaving});
    registry.add({one(kLinesAfterDocument), 3,
                  [](CommandContext& c) { c.model.linesAfterDocument = byteAt(c, 2); }});
    registry.add(
        {one(kLineSpacing), 3, [](CommandContext& c) { c.model.lineSpacing = byteAt(c, 2); }});
    registry.add({one(kNeedleImpact), 3, needleImpact});
    registry.add({one(kProgramAuthentication), 2 + kAuthenticationColumns, programAuthentication});
    registry.add({one(kResetPrinter), 2, resetPrinter});
}

}  // namespace quelfi::sim
