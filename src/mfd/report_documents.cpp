// The journal printer's management reports: 02 to 30 named by the owner, any of them opened by
// its number, their text given as the bound receipt's.
#include <cstdlib>

#include "core/port_connection.h"
#include "fiscal/argument_format.h"
#include "fiscal/nonfiscal_documents.h"
#include "mfd/document_call.h"
#include "mfd/documents.h"
#include "protocol/code_page.h"

namespace quelfi::mfd {

using core::argText;
using protocol::exportRow;

namespace {

constexpr char kNameReport = 'R';
constexpr char kOpenReport = 'S';
constexpr std::size_t kReportNameWidth = 17;

}  // namespace

int nameReport(const Road& road, const char* index, const char* name) {
    const DocumentCall call(road, exportRow("Quelmar_FI_NomeiaRelatorioGerencialMFD"));
    const std::string indexText = argText(index);
    const int report = std::atoi(indexText.c_str());
    // Report 01 is the printer's own.
    if (indexText.size() > 2 || report < 2 || report > 30)
        return call.refuse("Retorno: -2 Parametro invalido para o indice");
    const std::string nameText = argText(name);
    if (nameText.empty() || nameText.size() > kReportNameWidth)
        return call.refuse("Retorno: -2 Parametro invalido para a descricao do relatorio");
    call.logRecord(joined({index, name}));
    if (auto forwarded = call.handOverJoined({indexText, nameText})) return *forwarded;
    return call.run(documentCommand(
        kNameReport,
        fiscal::zeroFill(indexText, 2) +
            fiscal::blankFill(protocol::inPrinterCodePage(nameText), kReportNameWidth)));
}

int openReport(const Road& road, const char* index) {
    const DocumentCall call(road, exportRow("Quelmar_FI_AbreRelatorioGerencialMFD"));
    const std::string indexText = argText(index);
    const int report = std::atoi(indexText.c_str());
    if (indexText.empty() || indexText.size() > 2 || report < 1 || report > 30)
        return call.refuse("Retorno: - 2 - Parametro invalido para o totalizador");
    call.logRecord(indexText);
    if (auto forwarded = call.handOverJoined({indexText})) return *forwarded;
    return call.run(documentCommand(kOpenReport, fiscal::zeroFill(indexText, 2)));
}

int printReportText(const Road& road, const char* text) {
    const DocumentCall call(road, exportRow("Quelmar_FI_UsaRelatorioGerencialMFD"));
    call.logRecord(argText(text));
    if (auto forwarded = call.handOverJoined({argText(text)})) return *forwarded;
    return core::nested([&] { return fiscal::printBoundReceiptText(road, text); });
}

int printReportTextForTef(const Road& road, const char* text) {
    const DocumentCall call(road, exportRow("Quelmar_FI_UsaRelatorioGerencialMFDTEF"));
    call.logRecord(argText(text));
    if (auto forwarded = call.handOverJoined({argText(text)})) return *forwarded;
    return core::nested([&] { return printReportText(road, text); });
}

}  // namespace quelfi::mfd
