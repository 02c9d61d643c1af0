#include "fiscal/query_call.h"

#include "core/printer_state.h"
#include "protocol/frame.h"
#include "protocol/network_client.h"

namespace quelfi::fiscal {

using core::state;

namespace {

// The table layout and the leading count are settings of one reply: set them for this command and
// clear them whatever happens, so a failed send cannot leak them into the next command.
class ReplySettings {
  public:
    explicit ReplySettings(const QueryMember& row) {
        core::PrinterState& s = state();
        if (row.tableCommand != 0) {
            s.tableReplyMode = true;
            s.tableReplyCommand = row.tableCommand;
        }
        s.leadingCountPending = row.leadingCount;
    }
    ~ReplySettings() {
        core::PrinterState& s = state();
        s.tableReplyMode = false;
        s.tableReplyCommand = 0;
        s.leadingCountPending = false;
    }
};

}  // namespace

protocol::CommandSpec commandOf(const QueryMember& row) {
    return protocol::query(protocol::prefixed(std::string(row.command)), row.replyLength,
                           row.dataFormat);
}

std::string head(const std::string& text, std::size_t width) {
    return text.substr(0, width);
}

QueryCall::QueryCall(const QueryMember& row)
    : row_(row), log_(std::string(row.name), row.alwaysSeparator) {}

std::optional<int> QueryCall::forward(std::initializer_list<std::string> parameters) const {
    return protocol::forwardToDriver(log_, protocol::requestRecord(row_.record, parameters));
}

bool QueryCall::ask(int& failure) const {
    return ask(commandOf(row_), failure);
}

bool QueryCall::ask(const protocol::CommandSpec& spec, int& failure) const {
    ReplySettings settings(row_);
    return protocol::send(log_, spec, failure);
}

int QueryCall::deliver(const Answer& answer, char* buffer, char* second) const {
    if (state().answerToFile) {
        if (const int written = log_.writeAnswer(answer.forFile()); written != 1) return written;
        log_.logAnswer(answer.forFile());
        return 1;
    }
    if (row_.split == 0) {
        core::copyToBuffer(buffer, row_.width, answer.text);
    } else {
        core::copyToBuffer(buffer, row_.split, head(answer.text, row_.split));
        core::copyToBuffer(second, row_.width - row_.split,
                           answer.text.size() > row_.split ? answer.text.substr(row_.split) : "");
    }
    log_.logAnswer(answer.text);
    return 1;
}

int QueryCall::finish() const {
    return log_.finish(state().lastReturnCode);
}

}  // namespace quelfi::fiscal
