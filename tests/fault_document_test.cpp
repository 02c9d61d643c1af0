// Faults in the middle of a coupon and under the files. The printer falls silent between the items
// or between the payments, or its answer to a sale command is lost: each call fails with 0 within
// its time, and the POS finds out through the counter, flag and status queries what the printer
// actually did. The disk under the answer files and the log fails (a file that cannot grow, as a
// full disk acts, set in a child process; a shared directory that disappears): the POS gets -8 for
// an answer that could not be written, never a partial answer reported as done; a log that cannot
// be written never stops a call; and once the disk is back the same calls work.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/printer_state.h"
#include "fault_fixture.h"
#include "sim/quelmar/fiscal_model.h"

namespace quelfi::test {
namespace {

using core::state;

// What the POS learns from the printer after a fault.
struct DocumentState {
    std::string coo;       // the operation counter: a new document takes the next number
    std::string lastItem;  // the number of the last item registered
    int flags = 0;         // fiscal flags: 1 coupon open, 2 closing started
    bool couponOpen = false;
    bool operator==(const DocumentState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const DocumentState& d) {
    return out << "COO " << d.coo << ", last item " << d.lastItem << ", flags " << d.flags
               << (d.couponOpen ? ", coupon open" : "");
}

class DocumentFaultTest : public FaultTest {
  protected:
    // The POS asks: counter, last item, fiscal flags, and the status with its coupon bit.
    DocumentState asked() {
        DocumentState d;
        char coo[8] = {}, item[8] = {};
        short flags = -1, ack = 0, st1 = 0, st2 = 0;
        EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
        EXPECT_EQ(Quelmar_FI_UltimoItemVendido(item), 1);
        EXPECT_EQ(Quelmar_FI_FlagsFiscais(&flags), 1);
        EXPECT_EQ(Quelmar_FI_VerificaEstadoImpressora(&ack, &st1, &st2), 1);
        EXPECT_EQ(ack, 6);
        return {coo, item, flags, (st1 & 2) != 0};
    }
    // What the printer itself has on record.
    DocumentState recorded() {
        const sim::FiscalModel m = printer.model();
        char coo[16], item[16];
        std::snprintf(coo, sizeof coo, "%06d", m.counters.coo);
        std::snprintf(item, sizeof item, "%04d", m.counters.lastItem);
        return {coo, item, sim::fiscalFlags(m), sim::couponOpen(m)};
    }
    // A coupon the printer has open with two items, and the library knowing it.
    void startInCoupon() {
        printer.update([](sim::FiscalModel& m) {
            m.document = sim::DocumentState::Coupon;
            m.counters.lastItem = 2;
        });
        configure();
        state().couponOpen = true;
        // The first item loads the rate table; the faults below hit one command each.
        sellItem();
        clearLog();
    }
    int sellItem() {
        return Quelmar_FI_VendeItem("7891234567890", "ARROZ 5KG", "1800", "I", "1", 2, "25,90", "$",
                                    "0");
    }
};

TEST_F(DocumentFaultTest, PrinterSilentBetweenItems) {
    startInCoupon();
    const sim::FiscalModel before = printer.model();
    line.goSilent();
    int result = -1;
    EXPECT_EQ(timed([&] { result = sellItem(); }), 12000u);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_VendeItem ",
                                   "Parâmetros: 7891234567890|ARROZ 5KG|1800|I|1|2|25,90|$|0|",
                                   "Retorno Quelmar_FI_VendeItem: 0 - Erro de comunicacao: "}));
    // The printer took nothing while silent; once it answers, the POS sees the coupon still
    // open with the items it had.
    EXPECT_EQ(printer.model(), before);
    line.goSilent(false);
    const DocumentState seen = asked();
    EXPECT_EQ(seen, recorded());
    EXPECT_TRUE(seen.couponOpen);
    EXPECT_EQ(seen.flags & 1, 1);
}

TEST_F(DocumentFaultTest, PrinterSilentBetweenPayments) {
    startInCoupon();
    printer.update([](sim::FiscalModel& m) { m.document = sim::DocumentState::CouponPayment; });
    EXPECT_NE(Quelmar_FI_EfetuaFormaPagamentoIndice("01", "10,00"), 0);
    const sim::FiscalModel before = printer.model();
    clearLog();
    line.goSilent();
    int result = -1;
    EXPECT_EQ(timed([&] { result = Quelmar_FI_EfetuaFormaPagamentoIndice("01", "20,00"); }),
              12000u);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_EfetuaFormaPagamentoIndice ",
                                   "Parâmetros: 01|00000000002000|",
                                   "Retorno Quelmar_FI_EfetuaFormaPagamentoIndice: 0 - Erro de "
                                   "comunicacao"}));
    EXPECT_EQ(printer.model(), before);
    line.goSilent(false);
    const DocumentState seen = asked();
    EXPECT_EQ(seen, recorded());
    // The coupon is still open, in its payments: not completed.
    EXPECT_TRUE(seen.couponOpen);
    EXPECT_EQ(seen.flags & 3, 3);
}

TEST_F(DocumentFaultTest, AnswerToTheItemLostAfterThePrinterActed) {
    startInCoupon();
    // Only the acknowledge reaches the library; the printer did whatever the command asked.
    onCommand('\x09', [this] { line.cutReplyAfter(1); });
    int result = -1;
    EXPECT_EQ(timed([&] { result = sellItem(); }), 21000u);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(workLog(), logLines({kSep, "Quelmar_FI_VendeItem ",
                                   "Parâmetros: 7891234567890|ARROZ 5KG|1800|I|1|2|25,90|$|0|",
                                   "Retorno Quelmar_FI_VendeItem: 0 - Erro de comunicacao: "}));
    EXPECT_EQ(asked(), recorded());
}

TEST_F(DocumentFaultTest, AnswerToTheCouponOpeningLost) {
    configure();
    const DocumentState before = asked();
    EXPECT_FALSE(before.couponOpen);
    onCommand('\0', [this] { line.cutReplyAfter(1); });
    EXPECT_EQ(Quelmar_FI_AbreCupom(""), 0);
    const DocumentState after = asked();
    EXPECT_EQ(after, recorded());
    // The printer opened the coupon although the POS got 0: the next number was taken and the
    // coupon is open, so the POS goes on selling in it (or cancels it) instead of opening another.
    EXPECT_EQ(std::stoi(after.coo), std::stoi(before.coo) + 1);
    EXPECT_TRUE(after.couponOpen);
    EXPECT_EQ(after.flags & 1, 1);
}

constexpr rlim_t kFileLimit = 1024;
// A child's way of saying the caller's buffer was written although the answer went to the file.
constexpr int kBufferTouched = 99;

// Runs `call` in a child process whose files cannot grow past kFileLimit bytes, and gives the
// call's result (or kBufferTouched).
template <typename F>
int withFilesLimited(F&& call) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing
        const rlimit limit{kFileLimit, kFileLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(static_cast<unsigned char>(call()));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    return static_cast<signed char>(WEXITSTATUS(status));
}

TEST_F(FaultTest, AnswerFileThatCannotGrow) {
    configure("Retorno=1\nControlePorta=0\n");
    const auto answer = [] {
        std::vector<char> buffer(8192, '\0');
        const int result = Quelmar_FI_VerificaFormasPagamento(buffer.data());
        return buffer[0] == '\0' ? result : kBufferTouched;
    };
    EXPECT_EQ(withFilesLimited(answer), -8);
    EXPECT_EQ(workLog(),
              logLines({kSep, "Quelmar_FI_VerificaFormasPagamento ",
                        "Retorno Quelmar_FI_VerificaFormasPagamento: -8 - Erro ao escrever no "
                        "arquivo retorno.txt"}));
    EXPECT_LE(readFile(workDir() + "/Retorno.txt").size(), kFileLimit);

    // With room again the whole answer is written.
    clearLog();
    EXPECT_EQ(answer(), 1);
    EXPECT_GT(readFile(workDir() + "/Retorno.txt").size(), kFileLimit);
}

TEST_F(FaultTest, LogThatCannotGrow) {
    configure();
    const std::string earlier(kFileLimit + 10, 'x');
    writeFile(workDir() + "/QuelFI32.log", earlier);
    const int result = withFilesLimited([] {
        char coo[8] = {};
        const int code = Quelmar_FI_NumeroCupom(coo);
        return std::string(coo) == "001234" ? code : -100;
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(workLog(), earlier);
    EXPECT_EQ(readFile(workDir() + "/Status.txt"), "6,0,0");
}

TEST_F(FaultTest, SharedDirectoryThatDisappears) {
    namespace fs = std::filesystem;
    const std::string shared = workDir() + "/shared";
    fs::create_directory(shared);
    writeIni("[Sistema]\npath=" + shared +
             "\nLog=1\nStatus=1\nRetorno=1\nControlePorta=0\nPorta=COM1\n");
    load();
    fs::remove_all(shared);

    // The answer has nowhere to go: -8, and the caller's buffer is not written instead.
    char coo[8] = "x";
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), -8);
    EXPECT_STREQ(coo, "x");
    EXPECT_FALSE(fs::exists(shared));

    fs::create_directory(shared);
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
    EXPECT_EQ(readFile(shared + "/Retorno.txt"), "001234");
    EXPECT_EQ(readFile(shared + "/Status.txt"), "6,0,0");
    EXPECT_EQ(log(shared), logLines({kSep, "Quelmar_FI_NumeroCupom ", "Retorno impressora: 001234",
                                     "Retorno Quelmar_FI_NumeroCupom: 1"}));

    // A client whose shared directory is gone cannot leave its request: 0.
    writeIni("[Sistema]\npath=" + shared + "\nLog=1\nConfigRede=1\nPorta=COM1\n");
    load();
    fs::remove_all(shared);
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 0);
    fs::create_directory(shared);
    EXPECT_EQ(Quelmar_FI_NumeroCupom(coo), 1);
    EXPECT_EQ(readFile(shared + "/Quelfi32.cmd"), "055|");
}

}  // namespace
}  // namespace quelfi::test
