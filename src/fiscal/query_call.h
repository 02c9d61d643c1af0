// One run of a query member: its header lines, its network step, its command with the reply
// layout of its row, and the delivery of its answer to the caller or to Retorno.txt.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "fiscal/query_table.h"
#include "protocol/call.h"

namespace quelfi::fiscal {

using protocol::Answer;

// How a member is run: by an application, or by another step of the library for its own use.
struct QueryOptions {
    bool quietly = false;  // the answer goes to the buffer given even when the INI sends answers
                           // to Retorno.txt
    int readyPolls = 0;    // ready-polls allowed for its command; 0: statusTimeout
};

class QueryCall {
  public:
    QueryCall(const protocol::Road& road, const QueryMember& row, const QueryOptions& options = {});

    const QueryMember& row() const { return row_; }
    const protocol::Call& log() const { return log_; }

    // The network step, with the member's record (and `parameters`). On the Yanco printer's road
    // the member's answer is made there and handed over by `deliver`.
    std::optional<int> forward(const protocol::Parameters& parameters = {},
                               std::function<int(const Answer&)> deliver = {}) const;
    // The same, the answer delivered to the caller's buffers.
    std::optional<int> forward(char* buffer, char* second = nullptr,
                               const protocol::Parameters& parameters = {}) const;

    // The member's own command, or `spec`, with the member's reply layout. True when a reply was
    // read, with its decoded text in the reply buffer; otherwise `failure` holds the result,
    // already logged.
    bool ask(int& failure) const;
    bool ask(protocol::CommandSpec spec, int& failure) const;

    // Whether the answer goes to Retorno.txt rather than to the caller.
    bool answersToFile() const;

    // Hands a text answer over: Retorno.txt when the INI asks for it, else the caller's buffer
    // (the row's width, or two buffers split at the row's split). 1, or -8.
    int deliver(const Answer& answer, char* buffer, char* second = nullptr) const;

    // "Retorno N: " with the last reply's result, and that result.
    int finish() const;

  private:
    const QueryMember& row_;
    QueryOptions options_;
    protocol::Call log_;
};

// The member's command: its bytes after the printer's prefix, data before status.
protocol::CommandSpec commandOf(const QueryMember& row);

// The first `width` characters of `text` (all of it when shorter).
std::string head(const std::string& text, std::size_t width);

}  // namespace quelfi::fiscal
