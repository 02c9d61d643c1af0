// The Yanco forms of the Quelmar exports: what an export does on the Yanco printer where the
// printer road sends its Quelmar command. Each form takes the call as the export's body hands it
// to the network step (its lines, its checked parameters, how a data answer is delivered) and
// ends it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "adapters/yanco/yanco_transport.h"
#include "core/export_call.h"
#include "protocol/road.h"

namespace quelfi::yanco {

struct FormCall {
    const protocol::Road& road;
    const core::ExportCall& call;
    const protocol::Parameters& parameters;
    const std::function<int(const protocol::Answer&)>& deliver;

    // The parameter at `index`, or an empty text.
    std::string parameter(std::size_t index) const;
};

// How the Yanco paths report a command that was not answered, unless the export says otherwise.
inline constexpr std::string_view kNoAnswer = "Erro de comunica\xE7\xE3o";

// Sends one command for the call. True when it was answered; otherwise `failure` holds the result,
// its line logged ("Retorno N: 0 - " and `message`, or the opening's code).
bool send(const protocol::Road& road, const core::ExportCall& call, const YancoCommand& command,
          int& failure, std::string_view message = kNoAnswer);
bool send(const FormCall& form, const YancoCommand& command, int& failure,
          std::string_view message = kNoAnswer);
// Sends one command and ends the call with "Retorno N: " and the reply's result.
int sendAndFinish(const protocol::Road& road, const core::ExportCall& call,
                  const YancoCommand& command, std::string_view message = kNoAnswer);
int sendAndFinish(const FormCall& form, const YancoCommand& command,
                  std::string_view message = kNoAnswer);

// Runs the Yanco form of `row`'s export. Nothing when it has none: its Quelmar command goes.
std::optional<int> runYancoForm(const protocol::Road& road, const core::ExportCall& call,
                                const protocol::ExportRow& row,
                                const protocol::RecordRequest& request);

// Logs "Retorno N: -30 - Funcao incompativel com a impressora yanco" (N the route's name when it
// has one) and returns -30.
int refuse(const core::ExportCall& call, const protocol::ExportRow& row);

// The forms, by subject.
int verifyPrinterOnForm(const FormCall& form);
int answerQuery(const FormCall& form);
int readingXForm(const FormCall& form);
int reductionZForm(const FormCall& form);
int fiscalMemoryByDateForm(const FormCall& form);
int fiscalMemoryByReductionForm(const FormCall& form);
int readingXToFileForm(const FormCall& form);
int fiscalMemoryToFileByDateForm(const FormCall& form);
int fiscalMemoryToFileByReductionForm(const FormCall& form);
int openDayForm(const FormCall& form);
int subtotalForm(const FormCall& form);
int reportTextForm(const FormCall& form);
int closeReportForm(const FormCall& form);
int nonFiscalReceiptForm(const FormCall& form);
int openBoundReceiptForm(const FormCall& form);
int boundReceiptTextForm(const FormCall& form);
int closeBoundReceiptForm(const FormCall& form);
int withdrawalForm(const FormCall& form);
int supplyForm(const FormCall& form);
int openCouponForm(const FormCall& form);

}  // namespace quelfi::yanco
