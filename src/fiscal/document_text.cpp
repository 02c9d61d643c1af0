#include "fiscal/document_text.h"

#include <string>

#include "core/call_log.h"
#include "core/export_call.h"
#include "core/printer_state.h"
#include "protocol/code_page.h"
#include "protocol/command_call.h"
#include "protocol/frame.h"
#include "protocol/network_client.h"

namespace quelfi::fiscal {

int printDocumentText(const DocumentText& document, const char* text) {
    core::ExportCall call(std::string(document.name));
    const std::string value = core::argText(text);
    if (value.empty() || value.size() > kDocumentTextMax)
        return call.failLine(-2, document.invalidLine);
    call.logParameter(value);
    if (auto forwarded =
            protocol::forwardToDriver(call, protocol::requestRecord(document.record, {value})))
        return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(std::string(1, document.command) +
                                      protocol::inPrinterCodePage(value) + "\r\n");
    spec.busyClass = 1;  // the printer prints the whole text before it answers
    return protocol::runCommand(call, spec);
}

int printDocumentTextForTef(std::string_view name, int record, int (*plain)(const char*),
                            const char* text) {
    core::PrinterState& s = core::state();
    int result = 0;
    if (s.networkMode == 1) {
        result = s.lastReturnCode = protocol::writeCommandFile(protocol::requestRecord(record));
    } else {
        result = plain(text);
    }
    core::logLine("Retorno " + std::string(name) + ": ", result, "");
    return result;
}

}  // namespace quelfi::fiscal
