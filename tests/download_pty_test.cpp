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

TEST_F(DownloadPtyTest, TotalAndByCooEqualThePrintersMemory) {
    sim::QuelmarPrinter printer(journalModel());
    sim::PrinterLink link(printer);
    sim::PtyServer server(link);
    server.linkAs(portDir() + "/COM1");
    reconfigure("");
    const std::string file = workDir() + "/MFD.TXT";
    const sim::FiscalModel m = printer.model();
    namespace download = sim::download;

    ASSERT_EQ(Quelmar_FI_DownloadMFD(file.c_str(), "0", "", "", ""), 1);
    EXPECT_EQ(readFile(file), download::fiscalMemoryStream(m) + download::journalStream(m));
    ASSERT_EQ(Quelmar_FI_DownloadMFD(file.c_str(), "2", "15", "25", "1"), 1);
    EXPECT_EQ(readFile(file), download::fiscalMemoryStream(m) + download::journalByCoo(m, 15, 25));
}

}  // namespace
}  // namespace quelfi::test
