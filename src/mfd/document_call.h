// One call of a journal printer's document export: the common sequence these exports share. The
// header, the refusals with their own lines, the consumer's block and its parameter lines, the
// network step with the record in the export's form, and the command with its plain reply: the
// communication line of the export on a failed send, else "Retorno: " (or "Retorno " and the
// name) with the reply's result. None of them asks the status again after its command.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "mfd/document_fields.h"
#include "protocol/call.h"

namespace quelfi::mfd {

using protocol::Road;

// How the export's closing lines read.
enum class Lines {
    Plain,  // "Retorno: 1", "Retorno: 0 - Erro de comunicacao"
    Named,  // "Retorno Quelmar_FI_ImprimeClicheMFD: 1", and its communication line likewise
};

class DocumentCall : public protocol::Call {
  public:
    DocumentCall(const Road& road, const protocol::ExportRow& row, Lines lines = Lines::Plain,
                 std::string_view communication = "Erro de comunicacao");

    // A refused argument: `line` and, when it ends in ": " or a blank, the caller's text after
    // it. -2.
    int refuse(std::string_view line, const char* text = nullptr) const;

    // "Parâmetro: " and the text of each of the consumer's fields, given or not.
    void logCustomer(const char* cpf, const char* name, const char* address) const;

    // The network step with the record "NNN|" and the parameters joined by "|".
    std::optional<int> handOverJoined(const protocol::Parameters& parameters) const;

    // Sends the command; true when a reply was read, otherwise `failure` holds the result with
    // its line already written.
    bool sendPlain(const protocol::CommandSpec& spec, int& failure) const;

    // The closing line with `code`, and the code.
    int end(int code) const;

    // The command to the end: its plain reply's line and result.
    int run(const protocol::CommandSpec& spec) const;

  private:
    Lines lines_;
    std::string communication_;
};

// The journal printer's command: the printer's prefix, the command byte and the fields.
protocol::CommandSpec documentCommand(char command, const std::string& fields = {});

}  // namespace quelfi::mfd
