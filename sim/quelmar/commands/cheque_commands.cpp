// The cheque station's commands: a cheque printed on the document in the slip (or waiting for
// one), the wait cancelled, and a document authenticated with the programmed character.
#include "sim/quelmar/cheque_station.h"
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/commands/day_support.h"
#include "sim/quelmar/slip_layout.h"

namespace quelfi::sim {
namespace {

constexpr std::size_t kAmountWidth = 14;
constexpr std::size_t kPayeeWidth = 45;
constexpr std::size_t kCityWidth = 27;
constexpr std::size_t kLayoutBytes = 13;
constexpr std::size_t kFixedFields = kAmountWidth + kPayeeWidth + kCityWidth + 8 + kLayoutBytes;
constexpr std::size_t kMessageMax = 120;

std::string trimmedBothEnds(std::string_view field) {
    const std::size_t first = field.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(field.substr(first, field.find_last_not_of(' ') - first + 1));
}

// Amount (14 digits), payee (45), city (27, right-aligned), day, month and four-digit year, the
// bank's 13 layout bytes, then the message.
void chequeCommand(CommandContext& c) {
    FiscalModel& m = c.model;
    const std::string_view fields = c.command.substr(2);
    if (fields.size() < kFixedFields || fields.size() > kFixedFields + kMessageMax)
        return refuseLength(c.reply);
    Cheque cheque;
    const auto amount = wireNumber(fields.substr(0, kAmountWidth));
    std::size_t at = kAmountWidth;
    cheque.payee = fieldText(fields.substr(at, kPayeeWidth));
    at += kPayeeWidth;
    cheque.city = trimmedBothEnds(fields.substr(at, kCityWidth));
    at += kCityWidth;
    const auto day = wireNumber(fields.substr(at, 2));
    const auto month = wireNumber(fields.substr(at + 2, 2));
    const auto year = wireNumber(fields.substr(at + 4, 4));
    at += 8;
    if (!amount || *amount == 0 || cheque.city.empty() || !day || !month || !year)
        return refuseFields(c.reply);
    cheque.amount = *amount;
    cheque.date = {static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day)};
    if (!isValid(cheque.date)) return refuseFields(c.reply);
    cheque.layout = std::string(fields.substr(at, kLayoutBytes));
    cheque.message = fieldText(fields.substr(at + kLayoutBytes));
    // One cheque at a time: the one waiting must be printed or cancelled first.
    if (m.waitingCheque) return refuseNow(m, c.reply);
    if (documentInSlip(m)) return printCheque(m, c.paper, cheque);
    m.waitingCheque = std::move(cheque);
}

void cancelCheque(CommandContext& c) {
    c.model.waitingCheque.reset();
}

void authenticate(CommandContext& c) {
    FiscalModel& m = c.model;
    if (m.authenticationCharacter.empty() || !documentInSlip(m)) return refuseNow(m, c.reply);
    c.paper.printLines(layout::authenticationSlip(m));
    m.chequeSensor = 0;
}

}  // namespace

void registerChequeCommands(CommandRegistry& registry) {
    registry.add({std::string(1, static_cast<char>(codes::kPrintCheque)), 0, chequeCommand});
    registry.add(
        {std::string{static_cast<char>(codes::kExtended), codes::kCancelCheque}, 3, cancelCheque});
    registry.add({std::string(1, static_cast<char>(codes::kAuthenticate)), 2, authenticate});
}

}  // namespace quelfi::sim
