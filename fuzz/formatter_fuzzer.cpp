// The formatter module's reading of a downloaded file as outside data: the first bytes pick the
// month asked for, the rest is the file. It is read, turned to the report's lines and written as
// text, RTF and Sintegra registers.
//
// Holds: the reader never fails on a readable file, every document line read comes from an L
// record, and each output is written whole.
#include <cstdint>
#include <string>

#include "quelmfd/journal_file.h"
#include "quelmfd/outputs.h"
#include "support/fuzz_input.h"
#include "support/scratch_dir.h"

namespace {

using namespace quelfi;
using fuzz::check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const int month = static_cast<int>(in.below(14));  // 0 and 13 are months no file has
    const int year = 2000 + static_cast<int>(in.below(40));
    const std::string bytes = in.rest();
    fuzz::ScratchDir::get();
    fuzz::InWorkDir inWork;
    check(fuzz::writeWholeFile("download.mfd", bytes), "input file");

    const std::optional<quelmfd::JournalFile> file = quelmfd::readJournalFile("download.mfd");
    check(file.has_value(), "readable file refused");
    std::size_t lines = 0;
    for (const quelmfd::Document& document : file->documents) lines += document.lines.size();
    std::size_t records = 0;
    for (std::size_t at = 0; at + 1 < bytes.size(); ++at)
        if ((at == 0 || bytes[at - 1] == '\n') && bytes[at] == 'L' && bytes[at + 1] == '|')
            ++records;
    check(lines <= records, "more lines than L records");

    const std::vector<std::string> report = quelmfd::reportLines(*file);
    check(quelmfd::writeText("report.txt", report), "text");
    check(quelmfd::writeRtf("report.rtf", report), "rtf");
    check(quelmfd::writeSintegra("sintegra.txt", *file, year, month, {}, 1), "sintegra");
    return 0;
}
