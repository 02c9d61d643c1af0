// The management report: free text, which opens the report when none is open, and its closing.
#include "core/export_call.h"
#include "core/printer_state.h"
#include "fiscal/document_text.h"
#include "fiscal/nonfiscal_documents.h"
#include "protocol/command_call.h"
#include "protocol/frame.h"
#include "protocol/network_client.h"

namespace quelfi::fiscal {

namespace {

constexpr DocumentText kReportText{
    "Quelmar_FI_RelatorioGerencial", 72, 0x14,
    "Retorno Quelmar_FI_RelatorioGerencial: - 2 - Parametro invalido para o texto"};

}  // namespace

int printReportText(const char* text) {
    return printDocumentText(kReportText, text);
}

int printReportTextForTef(const char* text) {
    return printDocumentTextForTef("Quelmar_FI_RelatorioGerencialTEF", 201, printReportText, text);
}

// The same command closes a bound receipt.
int closeReport() {
    core::ExportCall call("Quelmar_FI_FechaRelatorioGerencial");
    if (auto forwarded = protocol::forwardToDriver(call, protocol::requestRecord(31)))
        return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed("\x15");
    int failure = 0;
    if (!protocol::send(call, spec, failure, "Erro de comunica\xE7\xE3o")) return failure;
    return call.finish(core::state().lastReturnCode);
}

}  // namespace quelfi::fiscal
