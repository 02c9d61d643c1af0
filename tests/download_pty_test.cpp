// A download from the virtual journal printer on a pseudo-terminal, as a shop's computer runs it:
// the library's real serial code switching to 115200 baud, the printer pacing its blocks, and the
// file equal to what the printer holds.
#include <gtest/gtest.h>

#include "quelfi32.h"
#include "sim/pty_server.h"
#include "sim/quelmar/download_streams.h"
#include "sim/quelmar/printer_link.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/library_fixture.h"

namespace quelfi::test {
namespace {

// A day of documents whose lines repeat and leave runs of blanks, several blocks long.
sim::FiscalModel journalModel() {
    sim::FiscalModel m;
    m.electronicJournal = true;
    for (int coo = 1; coo <= 40; ++coo) {
        sim::JournalEntry e;
        e.coo = coo;
        e.at = {{2024, 12, coo <= 20 ? 2 : 3}, 9, 0, 0};
        for (int line = 0; line < 8; ++line)
            e.lines.push_back("ITEM " + std::to_string(line) + std::string(30, ' ') + "1,00");
        e.lines.push_back(std::string(48, '-') + "\xFE");
        m.journal.push_back(e);
    }
    sim::Reduction z;
    z.crz = 1;
    z.coo = 20;
    z.grandTotal = 16000;
    m.reductions.push_back(z);
    return m;
}

class DownloadPtyTest : public LibraryTest {};

TEST_F(DownloadPtyTest, TotalByDateAndByCooEqualThePrintersMemory) {
    sim::QuelmarPrinter printer(journalModel());
    sim::PrinterLink link(printer);
    sim::PtyServer server(link);
    server.linkAs(portDir() + "/COM1");
    reconfigure("");
    const std::string file = workDir() + "/MFD.TXT";
    const sim::FiscalModel m = printer.model();
    namespace streams = sim::download;

    // The printer puts each block on the line whole, so however long a loaded machine holds its
    // thread, the library never finds a block cut by the line's 10 ms of quiet.
    const struct {
        const char *kind, *first, *last, *user;
        std::string journal;
    } cases[] = {
        {"0", "", "", "", streams::journalStream(m)},
        {"1", "03/12/2024", "031224", "", streams::journalByDate(m, {2024, 12, 3}, {2024, 12, 3})},
        {"2", "15", "25", "1", streams::journalByCoo(m, 15, 25)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ASSERT_EQ(Quelmar_FI_DownloadMFD(file.c_str(), c.kind, c.first, c.last, c.user), 1);
        EXPECT_EQ(readFile(file), streams::fiscalMemoryStream(m) + c.journal);
    }
}

}  // namespace
}  // namespace quelfi::test
