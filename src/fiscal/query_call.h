// One run of a query member: its header lines, the client-mode record, its command with the reply
// layout set for that one reply, and the delivery of its answer to the caller or to Retorno.txt.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>

#include "core/export_call.h"
#include "fiscal/query_table.h"
#include "protocol/command_call.h"

namespace quelfi::fiscal {

// An answer as the caller's buffer receives it and, when it differs (records on lines of their
// own), as Retorno.txt receives it.
struct Answer {
    std::string text;
    std::optional<std::string> fileText;

    const std::string& forFile() const { return fileText ? *fileText : text; }
};

class QueryCall {
  public:
    explicit QueryCall(const QueryMember& row);

    const QueryMember& row() const { return row_; }
    const core::ExportCall& log() const { return log_; }

    // In client mode, leaves the member's record (with `parameters`) for the driver program and
    // gives the result to return; nothing otherwise.
    std::optional<int> forward(std::initializer_list<std::string> parameters = {}) const;

    // The member's own command, or `spec`. True when a reply was read, with its decoded text in
    // the reply buffer; otherwise `failure` holds the result, already logged.
    bool ask(int& failure) const;
    bool ask(const protocol::CommandSpec& spec, int& failure) const;

    // Hands a text answer over: Retorno.txt when the INI asks for it, else the caller's buffer
    // (the row's width, or two buffers split at the row's split). 1, or -8.
    int deliver(const Answer& answer, char* buffer, char* second = nullptr) const;

    // "Retorno N: " with the last reply's result, and that result.
    int finish() const;

  private:
    const QueryMember& row_;
    core::ExportCall log_;
};

// The member's command: its bytes after the printer's prefix, data before status.
protocol::CommandSpec commandOf(const QueryMember& row);

// The first `width` characters of `text` (all of it when shorter).
std::string head(const std::string& text, std::size_t width);

// Runs another member for the library's own use: nested, and with the answer kept out of
// Retorno.txt so it lands in the buffer the caller gave. Both settings are restored.
template <typename F>
int askQuietly(F&& operation);

}  // namespace quelfi::fiscal

#include "core/port_connection.h"
#include "core/printer_state.h"

template <typename F>
int quelfi::fiscal::askQuietly(F&& operation) {
    struct Restore {
        bool saved;
        ~Restore() { core::state().answerToFile = saved; }
    } restore{core::state().answerToFile};
    core::state().answerToFile = false;
    return core::nested(std::forward<F>(operation));
}
