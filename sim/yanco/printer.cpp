#include "sim/yanco/printer.h"

#include <cstdio>

#include "sim/yanco/codes.h"
#include "sim/yanco/frame_reader.h"
#include "sim/yanco/layouts.h"

namespace quelfi::sim::yanco {
namespace {

namespace shared = ::quelfi::yanco;

std::string replyFrame(std::string_view sequence, char mark, std::string_view code,
                       std::string_view body) {
    std::string frame(1, static_cast<char>(codes::kDc4));
    frame += sequence;
    frame += mark;
    frame += code;
    frame += body;
    frame += static_cast<char>(codes::kEtx);
    const std::uint16_t sum = frameSum(frame);
    frame += static_cast<char>(sum >> 8);
    frame += static_cast<char>(sum & 0xFF);
    return frame;
}

std::string statusDigits(int status) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", status % 100);
    return buffer;
}

std::string encode(std::string_view sequence, std::string_view command, const Answer& answer) {
    // The code answered is the command's own, as far as it has one.
    std::string code(command.substr(0, 2));
    code.resize(2, ' ');
    if (answer.status != codes::kDone) {
        return replyFrame(sequence, shared::kLastFrame, code, statusDigits(answer.status));
    }
    if (!answer.lines.empty()) {
        std::string frames;
        for (std::size_t i = 0; i < answer.lines.size(); ++i) {
            const char mark =
                i + 1 < answer.lines.size() ? shared::kMoreFrames : shared::kLastFrame;
            std::string body = answer.linesAfterStatus ? statusDigits(codes::kDone) : "";
            body += answer.lines[i];
            body += shared::kLineEnd;
            frames += replyFrame(sequence, mark, code, body);
        }
        return frames;
    }
    const std::string status = answer.withoutStatus ? "" : statusDigits(codes::kDone);
    return replyFrame(sequence, shared::kLastFrame, code, status + answer.data);
}

}  // namespace

Printer::Printer(Model model) : model_(std::move(model)) {
    registerAllCommands(commands_);
}

std::string Printer::execute(std::string_view sequence, std::string_view command) {
    std::lock_guard lock(mutex_);
    Answer answer;
    const CommandDefinition* definition = nullptr;
    if (forcedStatus_) {
        answer.status = *forcedStatus_;
        forcedStatus_.reset();
    } else {
        switch (commands_.find(command, definition)) {
            case CommandTable::Lookup::Unknown:
                answer.status = codes::kUnknownCommand;
                break;
            case CommandTable::Lookup::WrongLength:
                answer.status = codes::kWrongLength;
                break;
            case CommandTable::Lookup::Found: {
                // A refused command leaves the printer as it was.
                Model before = model_;
                CommandContext context{model_, paper_, command, answer};
                definition->handler(context);
                if (answer.status != codes::kDone) model_ = std::move(before);
                break;
            }
        }
    }
    return encode(sequence, command, answer);
}

std::string Printer::nak() {
    return std::string(1, static_cast<char>(codes::kNak));
}

void Printer::answerStatusOnce(int status) {
    std::lock_guard lock(mutex_);
    forcedStatus_ = status;
}

Model Printer::model() const {
    std::lock_guard lock(mutex_);
    return model_;
}

void Printer::update(const std::function<void(Model&)>& change) {
    std::lock_guard lock(mutex_);
    change(model_);
}

}  // namespace quelfi::sim::yanco
