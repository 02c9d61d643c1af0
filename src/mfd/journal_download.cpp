#include "mfd/journal_download.h"

#include "core/export_call.h"
#include "core/port_connection.h"
#include "core/printer_state.h"
#include "mfd/document_fields.h"
#include "mfd/download_checks.h"
#include "mfd/dw_protocol.h"
#include "protocol/call.h"

namespace quelfi::mfd {

using core::argText;

namespace {

constexpr const char* kFileMissing = "O parametro Arquivo n\xE3o pode ser nulo";

// The printer's port taken from the library's own connection for the length of `download`.
template <typename Download>
int withLink(const std::string& file, Download&& download) {
    core::nested([] { return core::closePort(); });
    CWinSerialInterface link(core::state().portName);
    CWinOutputStream output(file);
    CDwProtocol protocol(link, output);
    return download(protocol);
}

}  // namespace

int downloadJournalTotal(const char* file) {
    return core::nested([&] {
        const core::ExportCall call("Quelmar_FI_DownloadMFDTotal");
        if (argText(file).empty()) return call.fail(-2, kFileMissing);
        return call.finish(withLink(
            argText(file), [](CDwProtocol& protocol) { return protocol.downloadJournalTotal(); }));
    });
}

int downloadJournalByDate(const char* file, const char* startDate, const char* endDate) {
    return core::nested([&] {
        const core::ExportCall call("Quelmar_FI_DownloadMFDPorData");
        if (argText(file).empty()) return call.fail(-2, kFileMissing);
        std::string refusal;
        const std::optional<DateRange> dates = checkDates(startDate, endDate, refusal);
        if (!dates) return call.fail(-2, refusal);
        return call.finish(withLink(argText(file), [&](CDwProtocol& protocol) {
            return protocol.downloadJournalByDate(dates->start, dates->end);
        }));
    });
}

int downloadJournalByCoo(const char* file, const char* startCoo, const char* endCoo,
                         const char* user) {
    return core::nested([&] {
        const core::ExportCall call("Quelmar_FI_DownloadMFDPorCOO");
        if (argText(file).empty()) return call.fail(-2, kFileMissing);
        std::string refusal;
        const std::optional<CooRange> coos = checkCoos(startCoo, endCoo, user, refusal);
        if (!coos) return call.fail(-2, refusal);
        return call.finish(withLink(argText(file), [&](CDwProtocol& protocol) {
            return protocol.downloadJournalByCoo(coos->start, coos->end, coos->user);
        }));
    });
}

int downloadJournal(const protocol::Road& road, const char* file, const char* kind,
                    const char* first, const char* last, const char* user) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_DownloadMFD"));
    call.logRecord(joined({kind, first, last, file, user}));
    if (auto forwarded = call.handOver(
            {argText(file), argText(kind), argText(first), argText(last), argText(user)}))
        return *forwarded;
    const std::string kindText = argText(kind);
    if (kindText.empty()) return call.fail(-2, "O tipo de download n\xE3o pode ser nulo");
    int result = 0;
    if (kindText == "0") {
        result = downloadJournalTotal(file);
    } else if (kindText == "1") {
        result = downloadJournalByDate(file, first, last);
    } else if (kindText == "2") {
        result = downloadJournalByCoo(file, first, last, user);
    } else {
        return call.fail(-2, "Parametro invalido para o tipo de download " + kindText);
    }
    return call.finish(result);
}

int downloadFiscalMemory(const protocol::Road& road, const char* file) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_DownloadMF"));
    call.logRecord(argText(file));
    if (auto forwarded = call.handOver({argText(file)})) return *forwarded;
    if (argText(file).empty()) return call.fail(-2, kFileMissing);
    return call.finish(withLink(
        argText(file), [](CDwProtocol& protocol) { return protocol.downloadFiscalMemory(); }));
}

}  // namespace quelfi::mfd
