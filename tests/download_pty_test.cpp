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
    namespace streams = sim::download;

    // The virtual printer paces its blocks from a thread: on a machine loaded enough to hold that
    // thread longer than the line's 10 ms of quiet, a block arrives cut and the download fails as
    // it would on a broken line. That is the machine, not the protocol: it may be run again.
    const auto download = [&](const char* kind, const char* first, const char* last,
                              const char* user) {
        int result = 0;
        for (int attempt = 0; attempt < 3 && result != 1; ++attempt)
            result = Quelmar_FI_DownloadMFD(file.c_str(), kind, first, last, user);
        return result;
    };
    ASSERT_EQ(download("0", "", "", ""), 1);
    EXPECT_EQ(readFile(file), streams::fiscalMemoryStream(m) + streams::journalStream(m));
    ASSERT_EQ(download("2", "15", "25", "1"), 1);
    EXPECT_EQ(readFile(file), streams::fiscalMemoryStream(m) + streams::journalByCoo(m, 15, 25));
}

}  // namespace
}  // namespace quelfi::test
