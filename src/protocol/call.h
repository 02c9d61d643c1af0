// One export call on its road: the export's lines in the call log, its row of the export table,
// and the steps it hands to the road — the network step where its algorithm places it, and its
// Quelmar command with the judgement of the result, the status refresh and the closing line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/export_call.h"
#include "protocol/command_spec.h"
#include "protocol/export_row.h"
#include "protocol/road.h"

namespace quelfi::protocol {

class Call : public core::ExportCall {
  public:
    // Opens the export's lines under its row's name.
    Call(const Road& road, const ExportRow& row, core::Header header = core::Header::UnlessNested);
    // The same, for the few exports whose lines carry another name than their row's.
    Call(const Road& road, const ExportRow& row, std::string logName,
         core::Header header = core::Header::UnlessNested);

    const Road& road() const { return road_; }
    const ExportRow& row() const { return row_; }

    // The export's request record: its number, "|", and each parameter followed by "|".
    std::string record(const Parameters& parameters = {}) const;

    // The Yanco operation's whole call, taken at the opening of the call for a row routed
    // `handler` whose Yanco operation checks the arguments itself; nothing on the other roads.
    std::optional<int> handedOverToYanco() const { return road_.handOverAtOpening(row_); }

    // The network step: on the client road the call ends here with the returned result, and on the
    // Yanco printer's road where the export's route takes the call.
    std::optional<int> handOver(const Parameters& parameters = {},
                                RecordLine line = RecordLine::None) const;
    std::optional<int> handOver(const RecordRequest& request) const;

    // The Yanco printer's refusal, a body's first step before its checks and its network step:
    // when the row is routed `refused` and the road's printer is a Yanco, "Retorno N: -30 - Funcao
    // incompativel com a impressora yanco" and -30, the port untouched; nothing otherwise.
    std::optional<int> refusedOnYanco() const;

    // The body's Yanco form, given where its Quelmar command follows: the Yanco road takes it for
    // a row routed `commands` or `local` and the call ends with its result; nothing otherwise.
    std::optional<int> yancoForm(const YancoForm& form) const;

    // Sends the command. True when a reply was read; otherwise `failure` holds the result already
    // logged ("Retorno N: 0 - " and the export's communication message, or the opening's code).
    bool send(const CommandSpec& spec, int& failure,
              std::string_view communicationMessage = "Erro de comunicacao") const;

    // A command without data answer, to the end: the status refresh when the command asks for
    // it, then "Retorno N: code" with the last result, and that result.
    int run(const CommandSpec& spec) const;

  private:
    const Road& road_;
    const ExportRow& row_;
};

// Asks the printer's status again after a command, as a nested status request allowed
// `readyPolls` ready-polls of 100 ms; lastReturnCode then holds its result.
void refreshStatus(const Road& road, int readyPolls);

}  // namespace quelfi::protocol
