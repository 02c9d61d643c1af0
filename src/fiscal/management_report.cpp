// The management report: free text, which opens the report when none is open, and its closing.
#include "core/printer_state.h"
#include "fiscal/document_text.h"
#include "fiscal/nonfiscal_documents.h"
#include "protocol/call.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

namespace {

constexpr char kReportLine = 0x14;
constexpr char kCloseReport = 0x15;

constexpr DocumentText kReportText{
    protocol::exportRow("Quelmar_FI_RelatorioGerencial"), kReportLine,
    "Retorno Quelmar_FI_RelatorioGerencial: - 2 - Parametro invalido para o texto"};

}  // namespace

int printReportText(const Road& road, const char* text) {
    return printDocumentText(road, kReportText, text);
}

int printReportTextForTef(const Road& road, const char* text) {
    return printDocumentTextForTef(road, protocol::exportRow("Quelmar_FI_RelatorioGerencialTEF"),
                                   printReportText, text);
}

// The same command closes a bound receipt.
int closeReport(const Road& road) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_FechaRelatorioGerencial"));
    if (auto forwarded = call.handOver()) return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(std::string(1, kCloseReport));
    int failure = 0;
    if (!call.send(spec, failure, "Erro de comunica\xE7\xE3o")) return failure;
    return call.finish(core::state().lastReturnCode);
}

}  // namespace quelfi::fiscal
