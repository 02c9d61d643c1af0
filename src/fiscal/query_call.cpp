#include "fiscal/query_call.h"

#include "core/printer_state.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

using core::state;

protocol::CommandSpec commandOf(const QueryMember& row) {
    return protocol::query(protocol::prefixed(std::string(row.command)), row.replyLength,
                           row.dataFormat);
}

std::string head(const std::string& text, std::size_t width) {
    return text.substr(0, width);
}

QueryCall::QueryCall(const protocol::Road& road, const QueryMember& row,
                     const QueryOptions& options)
    : row_(row),
      options_(options),
      log_(road, exportRowOf(row), std::string(row.name),
           row.alwaysSeparator ? core::Header::Always : core::Header::UnlessNested) {}

std::optional<int> QueryCall::forward(const protocol::Parameters& parameters,
                                      std::function<int(const Answer&)> deliver) const {
    if (row_.yanco.shape == YancoShape::RefusedFirst)
        if (auto refused = log_.refusedOnYanco()) return refused;
    return log_.handOver({[&](int&) { return std::optional<protocol::Parameters>(parameters); },
                          protocol::RecordLine::None,
                          {},
                          std::move(deliver)});
}

std::optional<int> QueryCall::forward(char* buffer, char* second,
                                      const protocol::Parameters& parameters) const {
    return forward(parameters, [=, this](const Answer& answer) {
        const int delivered = deliver(answer, buffer, second);
        return delivered == 1 ? finish() : delivered;
    });
}

bool QueryCall::ask(int& failure) const {
    return ask(commandOf(row_), failure);
}

bool QueryCall::ask(protocol::CommandSpec spec, int& failure) const {
    spec.tableCommand = row_.tableCommand;
    spec.tableLayout = row_.tableCommand != 0;
    spec.leadingCount = row_.leadingCount;
    if (spec.readyPolls == 0) spec.readyPolls = options_.readyPolls;
    return log_.send(spec, failure);
}

bool QueryCall::answersToFile() const {
    return state().answerToFile && !options_.quietly;
}

int QueryCall::deliver(const Answer& answer, char* buffer, char* second) const {
    if (answersToFile()) {
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
