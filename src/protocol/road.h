// A road: the way every export call of the process travels, chosen once per call from the
// configuration — the printer on this machine, the network-driver client, the Yanco printer — and
// handed to the export's body. The body checks and formats its request and gives it to the road at
// the point its algorithm places each step; what differs between the roads happens behind this
// interface, so no body asks which road it is on.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/export_call.h"
#include "protocol/export_row.h"

namespace quelfi::protocol {

// The parameters of a request record, in order, as the export formats them.
using Parameters = std::vector<std::string>;

// What of the request record the client road also writes as the parameter line.
enum class RecordLine {
    None,        // nothing: the body logs its own parameter line
    Parameters,  // "Parâmetros: " and the record's parameters
    Whole,       // "Parâmetros: " and the whole record, number included
};

// A data answer as the caller's buffer receives it and, when it differs (records on lines of their
// own), as Retorno.txt receives it.
struct Answer {
    std::string text;
    std::optional<std::string> fileText;

    const std::string& forFile() const { return fileText ? *fileText : text; }
};

// How the parameters follow the record's number.
enum class RecordForm {
    EachFollowed,  // "NNN|" and each parameter followed by "|"
    Joined,        // "NNN|" and the parameters joined by "|", none after the last (the journal
                   // printer's documents)
};

// The request of one call as the road takes it at the network step. The parameters are worked out
// only on a road that needs them, where a conversion of its own may still refuse the call: then
// they are absent and `refusal` holds the code, its line already logged. A call with a data answer
// says how it hands one over, for a road that makes the answer itself: 1 delivered and the closing
// line written, or the delivery's refusal (-8).
struct RecordRequest {
    std::function<std::optional<Parameters>(int& refusal)> parameters;
    RecordLine line = RecordLine::None;
    // The closing line's text before the result, when it is not "Retorno " + name + ": ".
    std::string_view closing = {};
    std::function<int(const Answer& answer)> deliver;
    RecordForm form = RecordForm::EachFollowed;
};

// What an export does on the Yanco printer in place of its Quelmar command, when its row's route
// is `commands` (Yanco commands of its own) or `local` (an answer made on the PC): its result,
// its lines logged.
using YancoForm = std::function<int()>;

class Road {
  public:
    // The network step: the client road writes the request record for the driver program and
    // ends the call with the writer's result ("Retorno " with the row's name); a road to a
    // printer lets the call go on.
    virtual std::optional<int> handOver(const core::ExportCall& call, const ExportRow& row,
                                        const RecordRequest& request) const = 0;

    // Whether this road hands a call routed `handler` over to the Yanco operation its row names
    // (the export's entry binds the operation to the caller's arguments).
    virtual bool handsOver(const ExportRow&) const { return false; }

    // The hand-over at the opening of the call, before its checks and its network step, for the
    // exports whose Yanco operation checks the arguments itself: the operation's result when this
    // road holds one bound for the row; nothing otherwise.
    virtual std::optional<int> handOverAtOpening(const ExportRow&) const { return std::nullopt; }

    // Runs the network driver's raw request in this road's printer language: the command and how
    // its reply is read, separated by ETB. The send's result.
    virtual int runRawRequest(const std::string& request) const = 0;

    // The opening export's whole behaviour, also run when a command or a wait finds the port
    // closed: 1, or its refusal (-4, -5, 0), already logged.
    virtual int openPort() const = 0;

    // Makes the status of the last reply the state's: the client road waits for the driver
    // program's Status.txt and reads it; a road to a printer has it already. False when the
    // driver's status never came.
    virtual bool takeLastStatus() const = 0;

    // The fiscal flags that complete ST1 of a status reply with the coupon-open bit: the query
    // family's member, asked nested, its answer kept out of Retorno.txt. Its result; `flags` is 0
    // unless the flags answered.
    virtual int fiscalFlags(int readyPolls, int& flags) const = 0;

    // Whether the printer at the end of the road is a Yanco printer: always on the Yanco road;
    // on the client road, the model the INI names for the driver's printer. Decides the refusal
    // of the exports the Yanco printer lacks, and the few checks that are narrower there.
    virtual bool yancoPrinter() const = 0;

    // The body's Yanco form, taken where the other roads take its Quelmar command: on the Yanco
    // road, for a row routed `commands` or `local`, the form's result; nothing on the others.
    virtual std::optional<int> takeYancoForm(const ExportRow& row, const YancoForm& form) const = 0;

    // What the printer needs before each printing call of a TEF voucher: nothing, except the
    // Yanco printer's pause.
    virtual void beforeVoucherLine() const {}

  protected:
    // Roads live as long as the process and are never deleted through this interface.
    ~Road() = default;
};

}  // namespace quelfi::protocol
