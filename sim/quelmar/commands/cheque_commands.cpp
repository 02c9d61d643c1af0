// The cheque station's commands: a cheque printed on the document in the slip (or waiting for
// one), the wait cancelled, a document authenticated with the programmed character (on the
// journal printer also with a text), and the journal printer's text on the cheque.
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
constexpr std::size_t kAuthenticationText = 48;
constexpr std::size_t kChequeTextMax = 240;
constexpr int kChequeLines = 10;  // lines of text a side of the cheque takes
constexpr std::uint8_t kBackLinesMax = 35;

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

// The journal printer's cheque: the back-printing digit ('0' or '1') and the lines the back may
// take (one byte, 0-35) before the fields of the cheque above; without a message a zero byte ends
// it.
void journalCheque(CommandContext& c) {
    if (!c.model.electronicJournal) {
        c.reply.st1 |= codes::kSt1UnknownCommand;
        return;
    }
    if (c.command.size() < 4) return refuseLength(c.reply);
    const char back = c.command[2];
    if ((back != '0' && back != '1') || static_cast<std::uint8_t>(c.command[3]) > kBackLinesMax)
        return refuseFields(c.reply);
    std::string plain{c.command[0], static_cast<char>(codes::kPrintCheque)};
    plain += c.command.substr(4);
    if (!plain.empty() && plain.back() == '\0') plain.pop_back();
    CommandContext inner{c.model, c.paper, plain, c.reply, c.ticks};
    chequeCommand(inner);
}

void cancelCheque(CommandContext& c) {
    c.model.waitingCheque.reset();
}

// The journal printer's form adds the line it prints on (2 digits, 01-99) and a text (48),
// which it prints with or without a character programmed.
void authenticate(CommandContext& c) {
    FiscalModel& m = c.model;
    int line = 1;
    std::string text;
    if (c.command.size() != 2) {
        if (!m.electronicJournal || c.command.size() != 2 + 2 + kAuthenticationText)
            return refuseLength(c.reply);
        const auto number = wireNumber(c.command.substr(2, 2));
        if (!number || *number < 1) return refuseFields(c.reply);
        line = static_cast<int>(*number);
        text = fieldText(c.command.substr(4));
    }
    if ((m.authenticationCharacter.empty() && text.empty()) || !documentInSlip(m))
        return refuseNow(m, c.reply);
    c.paper.printLines(layout::authenticationSlip(m, line, text));
    m.chequeSensor = 0;
}

// The journal printer's text on the cheque in the slip: the side (0 front, 1 back) and the lines
// it may take, as single bytes, then the text. No document: not executed, ST3 189; more lines
// than the cheque has: ST3 130. The cheque stays in the slip.
void chequeText(CommandContext& c) {
    FiscalModel& m = c.model;
    if (!m.electronicJournal) {
        c.reply.st1 |= codes::kSt1UnknownCommand;
        return;
    }
    if (c.command.size() < 4 || c.command.size() > 4 + kChequeTextMax) return refuseLength(c.reply);
    const auto side = static_cast<std::uint8_t>(c.command[2]);
    const auto lines = static_cast<std::uint8_t>(c.command[3]);
    if (side > 1) return refuseFields(c.reply);
    if (!documentInSlip(m)) {
        c.reply.st2 |= codes::kSt2NotExecuted;
        c.reply.st3 = codes::kSt3NoCheque;
        return;
    }
    if (lines < 1 || lines > kChequeLines) {
        c.reply.st2 |= codes::kSt2NotExecuted;
        c.reply.st3 = codes::kSt3TooManyLines;
        return;
    }
    c.paper.printLines(layout::chequeText(side == 1, lines, c.command.substr(4)));
}

}  // namespace

void registerChequeCommands(CommandRegistry& registry) {
    registry.add({std::string(1, static_cast<char>(codes::kPrintCheque)), 0, chequeCommand});
    registry.add(
        {std::string{static_cast<char>(codes::kExtended), codes::kCancelCheque}, 3, cancelCheque});
    registry.add({std::string(1, static_cast<char>(codes::kAuthenticate)), 0, authenticate});
    registry.add({std::string(1, static_cast<char>(codes::kChequeText)), 0, chequeText});
    registry.add({std::string(1, static_cast<char>(codes::kJournalCheque)), 0, journalCheque});
}

}  // namespace quelfi::sim
