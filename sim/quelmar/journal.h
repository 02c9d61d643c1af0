// The electronic journal: the journal printer keeps every document it prints with its COO, its
// kind, the moment it began and its lines. The printer records each command's paper here once
// the command has run, so no handler has to think of the journal: a command that takes a COO
// begins a document, and the lines any other command prints belong to the document in progress.
#pragma once

#include <cstddef>
#include <string_view>

#include "sim/paper_roll.h"
#include "sim/quelmar/fiscal_model.h"

namespace quelfi::sim::journal {

// Where the COO and the paper stood before a command.
struct Mark {
    int coo = 0;
    std::size_t paperLines = 0;
};

Mark mark(const FiscalModel& model, const PaperRoll& paper);

// Keeps what `command` (prefix first) printed since `before` in the journal of a journal printer;
// nothing on other models.
void record(FiscalModel& model, const PaperRoll& paper, std::string_view command,
            const Mark& before);

// The kind of document a command that takes a COO begins.
JournalKind kindOf(std::string_view command);

}  // namespace quelfi::sim::journal
