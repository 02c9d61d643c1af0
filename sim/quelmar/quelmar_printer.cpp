#include "sim/quelmar/quelmar_printer.h"

#include <chrono>
#include <utility>

#include "sim/quelmar/cheque_station.h"
#include "sim/quelmar/codes.h"
#include "sim/quelmar/commands/commands.h"
#include "sim/quelmar/fiscal_day.h"
#include "sim/quelmar/journal.h"
#include "sim/quelmar/wire_fields.h"

namespace quelfi::sim {

namespace {

std::uint32_t steadyMilliseconds() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

QuelmarPrinter::QuelmarPrinter(FiscalModel model) : model_(std::move(model)) {
    registerAllCommands(commands_);
    useClock(nullptr);
}

void QuelmarPrinter::useClock(Ticks ticks) {
    std::lock_guard lock(mutex_);
    ticks_ = ticks ? std::move(ticks) : Ticks(steadyMilliseconds);
}

std::string QuelmarPrinter::execute(std::string_view command) {
    std::lock_guard lock(mutex_);
    const std::uint32_t now = ticks_();
    settleLongCommand(model_, now);
    settleChequeStation(model_, paper_);
    Reply reply;
    const auto prefix = static_cast<std::uint8_t>(command.empty() ? 0 : command[0]);
    const bool prefixAccepted =
        prefix == codes::kEsc || (prefix == codes::kFs && model_.electronicJournal);
    const CommandDefinition* definition = nullptr;
    if (!prefixAccepted) {
        reply.st1 |= codes::kSt1BadPrefix;
    } else if (command.size() < 2) {
        reply.st1 |= codes::kSt1WrongParameterCount;
    } else {
        switch (commands_.find(command, definition)) {
            case CommandRegistry::Lookup::Unknown:
                reply.st1 |= codes::kSt1UnknownCommand;
                break;
            case CommandRegistry::Lookup::MissingSelector:
                reply.st1 |= codes::kSt1WrongParameterCount;
                break;
            case CommandRegistry::Lookup::Found:
                if (definition->length != 0 && command.size() != definition->length) {
                    reply.st1 |= codes::kSt1WrongParameterCount;
                } else {
                    const journal::Mark before = journal::mark(model_, paper_);
                    CommandContext context{model_, paper_, command, reply, now};
                    definition->handler(context);
                    journal::record(model_, paper_, command, before);
                }
                break;
        }
    }
    if (reply.download) download_ = std::move(reply.download);
    return encode(reply);
}

std::optional<std::string> QuelmarPrinter::takeDownload() {
    std::lock_guard lock(mutex_);
    return std::exchange(download_, std::nullopt);
}

bool QuelmarPrinter::readyLine() {
    std::lock_guard lock(mutex_);
    if (!model_.printingUntil) return true;
    if (static_cast<std::int32_t>(ticks_() - *model_.printingUntil) < 0) return false;
    model_.printingUntil.reset();
    return true;
}

std::string QuelmarPrinter::encode(const Reply& reply) const {
    if (reply.shape == Reply::Shape::None) return {};
    if (reply.shape == Reply::Shape::Raw) return reply.raw;
    const StatusBytes standing = standingStatus(model_);
    const auto st1 = static_cast<std::uint8_t>(reply.st1 | standing.st1);
    const auto st2 = static_cast<std::uint8_t>(reply.st2 | standing.st2);
    std::string out(1, static_cast<char>(codes::kAck));
    out += reply.data;
    out += static_cast<char>(st1);
    out += static_cast<char>(st2);
    // A plain reply reporting a command the printer does not know ends without ST3.
    const bool unknownCommand = reply.data.empty() && (st1 & codes::kSt1UnknownCommand) != 0;
    if (model_.electronicJournal && !unknownCommand)
        out += wire::word(reply.st3.value_or(model_.journalStatus));
    return out;
}

std::string QuelmarPrinter::nak() {
    return std::string(1, static_cast<char>(codes::kNak));
}

FiscalModel QuelmarPrinter::model() const {
    std::lock_guard lock(mutex_);
    return model_;
}

void QuelmarPrinter::update(const std::function<void(FiscalModel&)>& change) {
    std::lock_guard lock(mutex_);
    change(model_);
    // A document put in the slip takes the cheque waiting for it at once.
    settleChequeStation(model_, paper_);
}

}  // namespace quelfi::sim
