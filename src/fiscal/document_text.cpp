#include "fiscal/document_text.h"

#include <string>

#include "core/call_log.h"
#include "core/printer_state.h"
#include "protocol/call.h"
#include "protocol/code_page.h"
#include "protocol/frame.h"

namespace quelfi::fiscal {

int printDocumentText(const protocol::Road& road, const DocumentText& document, const char* text) {
    const protocol::Call call(road, document.row);
    const std::string value = core::argText(text);
    if (value.empty() || value.size() > kDocumentTextMax)
        return call.failLine(-2, document.invalidLine);
    call.logParameter(value);
    if (auto forwarded = call.handOver({value})) return *forwarded;
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(std::string(1, document.command) +
                                      protocol::inPrinterCodePage(value) + "\r\n");
    spec.busyClass = 1;  // the printer prints the whole text before it answers
    return call.run(spec);
}

int printDocumentTextForTef(const protocol::Road& road, const protocol::ExportRow& row,
                            int (*plain)(const protocol::Road&, const char*), const char* text) {
    const protocol::Call call(road, row, core::Header::None);
    if (auto forwarded = call.handOver()) return *forwarded;
    return call.finish(plain(road, text));
}

}  // namespace quelfi::fiscal
