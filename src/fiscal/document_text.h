// The free text of a management report or of a bound receipt: the whole text, line breaks
// included, goes to the printer in one command followed by CR LF.
#pragma once

#include <cstddef>
#include <string_view>

#include "protocol/export_row.h"
#include "protocol/road.h"

namespace quelfi::fiscal {

// The longest text one call takes.
inline constexpr std::size_t kDocumentTextMax = 618;

struct DocumentText {
    const protocol::ExportRow& row;
    char command;                  // the printer's command byte
    std::string_view invalidLine;  // the log line of a missing, empty or too long text
};

int printDocumentText(const protocol::Road& road, const DocumentText& document, const char* text);

// The TEF variants: the plain export runs on its own (it logs its own lines), and the variant adds
// only its closing line; in client mode the record carries no text.
int printDocumentTextForTef(const protocol::Road& road, const protocol::ExportRow& row,
                            int (*plain)(const protocol::Road&, const char*), const char* text);

}  // namespace quelfi::fiscal
