#include "adapters/yanco/yanco_forms.h"

#include <iterator>

#include "core/printer_state.h"
#include "fiscal/query_table.h"

namespace quelfi::yanco {

namespace {

struct FormEntry {
    std::string_view exportName;
    int (*form)(const FormCall&);
};

// The exports with a form of their own; the query family's members answer through answerQuery.
constexpr FormEntry kForms[] = {
    {"Quelmar_FI_VerificaImpressoraLigada", verifyPrinterOnForm},
    {"Quelmar_FI_LeituraX", readingXForm},
    {"Quelmar_FI_ReducaoZ", reductionZForm},
    {"Quelmar_FI_LeituraMemoriaFiscalData", fiscalMemoryByDateForm},
    {"Quelmar_FI_LeituraMemoriaFiscalReducao", fiscalMemoryByReductionForm},
    {"Quelmar_FI_LeituraXSerial", readingXToFileForm},
    {"Quelmar_FI_LeituraMemoriaFiscalSerialData", fiscalMemoryToFileByDateForm},
    {"Quelmar_FI_LeituraMemoriaFiscalSerialReducao", fiscalMemoryToFileByReductionForm},
    {"Quelmar_FI_AberturaDoDia", openDayForm},
    {"Quelmar_FI_SubTotal", subtotalForm},
    {"Quelmar_FI_RelatorioGerencial", reportTextForm},
    {"Quelmar_FI_FechaRelatorioGerencial", closeReportForm},
    {"Quelmar_FI_RecebimentoNaoFiscal", nonFiscalReceiptForm},
    {"Quelmar_FI_AbreComprovanteNaoFiscalVinculado", openBoundReceiptForm},
    {"Quelmar_FI_UsaComprovanteNaoFiscalVinculado", boundReceiptTextForm},
    {"Quelmar_FI_FechaComprovanteNaoFiscalVinculado", closeBoundReceiptForm},
    {"Quelmar_FI_Sangria", withdrawalForm},
    {"Quelmar_FI_Suprimento", supplyForm},
    {"Quelmar_FI_AbreCupom", openCouponForm},
};

}  // namespace

std::string FormCall::parameter(std::size_t index) const {
    return index < parameters.size() ? parameters[index] : std::string();
}

bool send(const protocol::Road& road, const core::ExportCall& call, const YancoCommand& command,
          int& failure, std::string_view message) {
    const int sent = sendYancoCommand(road, command);
    if (sent == 1) return true;
    // A port that did not open is reported with its own code, never as success.
    failure = sent == 0 ? call.fail(0, message) : call.finish(sent);
    return false;
}

bool send(const FormCall& form, const YancoCommand& command, int& failure,
          std::string_view message) {
    return send(form.road, form.call, command, failure, message);
}

int sendAndFinish(const protocol::Road& road, const core::ExportCall& call,
                  const YancoCommand& command, std::string_view message) {
    int failure = 0;
    if (!send(road, call, command, failure, message)) return failure;
    return call.finish(core::state().lastReturnCode);
}

int sendAndFinish(const FormCall& form, const YancoCommand& command, std::string_view message) {
    return sendAndFinish(form.road, form.call, command, message);
}

std::optional<int> runYancoForm(const protocol::Road& road, const core::ExportCall& call,
                                const protocol::ExportRow& row,
                                const protocol::RecordRequest& request) {
    int (*form)(const FormCall&) = nullptr;
    for (const FormEntry& entry : kForms)
        if (entry.exportName == row.name) form = entry.form;
    if (!form && fiscal::findMember(row.name)) form = answerQuery;
    if (!form) return std::nullopt;
    int refusal = 0;
    const std::optional<protocol::Parameters> parameters =
        request.parameters ? request.parameters(refusal) : protocol::Parameters{};
    if (!parameters) return refusal;
    static const std::function<int(const protocol::Answer&)> kNoDelivery;
    return form({road, call, *parameters, request.deliver ? request.deliver : kNoDelivery});
}

int refuse(const core::ExportCall& call, const protocol::ExportRow& row) {
    const std::string name = row.yanco.target.empty() ? call.name() : std::string(row.yanco.target);
    return call.failLine(-30,
                         "Retorno " + name + ": -30 - Funcao incompativel com a impressora yanco");
}

}  // namespace quelfi::yanco
