// The point-of-sale client's calls on both builds. On Linux its twin loads the shared library;
// under Wine, with COM1 mapped to a pseudo-terminal, the 64-bit Windows build runs the platform
// layer's own checks and the client, whose call log must be byte for byte the Linux build's.
#include <termios.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

#include "sim/pty_server.h"
#include "sim/quelmar/model_text.h"
#include "sim/quelmar/printer_link.h"
#include "sim/quelmar/quelmar_printer.h"
#include "support/library_fixture.h"
#include "support/pseudo_terminal.h"
#include "win32/windows_builds.h"
#include "win32/wine_session.h"

namespace quelfi::test {
namespace {

namespace fs = std::filesystem;

// A virtual printer served on a pseudo-terminal, the same shop for every run so that two runs
// of the same calls write the same log.
struct ShopPrinter {
    sim::QuelmarPrinter printer{sim::modelFromSeed(
        "cliche=MERCADO; cnpj=12.345.678/0001-90; ie=110.042.490.114; serial=QM0123456789;"
        "firmware=01.03.00; clock=15/03/2024 10:30:45; coo=1234; gt=1000.00;"
        "rates=18.00,7.00; payments=Dinheiro")};
    sim::PrinterLink link{printer};
    sim::PtyServer server{link};
};

// The point-of-sale client's calls with COM1 on the virtual printer and the log on drive C.
class PosClientTest : public LibraryTest {
  protected:
    static constexpr const char* kIni = "[Sistema]\r\nPorta=COM1\r\nLog=1\r\npath=c:\\quelfi\r\n";

    // The Linux twin of the Windows client, loading the shared library as a program does.
    CommandResult runOnLinux(ShopPrinter& shop) {
        writeFile(systemDir() + "/QuelFI32.ini", kIni);
        shop.server.linkAs(portDir() + "/COM1");
        fs::create_directories(driveC() + "/quelfi");
        return runCommand(shellWord(QUELFI_POS_CLIENT) + " " + shellWord(QUELFI_SHARED_LIBRARY));
    }

    std::string linuxLog() const { return readFile(driveC() + "/quelfi/QuelFI32.log"); }

    // The start of the day: load, open, open again, close, open by index, close, reload, close.
    static std::string expectedStartOfDay() {
        const std::string sep = std::string(71, '-') + " ";
        const std::string configuration = logLines(
            {sep, "Quelmar_FI_LeInformacoesConfiguracao ", "path: c:\\quelfi", "Log: 1",
             "Status: 1", "Retorno: 0", "ControlePorta: 0", "StatusFuncao: 0", "ModeloImp: 0",
             "ConfigRede: i", "ModoGaveta: i", "EmulMFD: 0", "StatusCheque: 0", "Porta: COM1",
             "StatusErro: 0", "Impressora: 0", "Retorno Quelmar_FI_LeInformacoesConfiguracao:  "});
        const std::string opened = logLines({sep, "Quelmar_FI_AbrePortaSerial ", "Parâmetro: COM1",
                                             "Retorno Quelmar_FI_AbrePortaSerial: 1"});
        const std::string closed = logLines(
            {sep, "Quelmar_FI_FechaPortaSerial ", "Retorno Quelmar_FI_FechaPortaSerial: 1"});
        return configuration + opened + opened + closed + opened + closed + configuration + closed;
    }
};

TEST_F(PosClientTest, LinuxBuildLogsEveryCallFromTheLoadStepOn) {
    ShopPrinter shop;
    const CommandResult onLinux = runOnLinux(shop);
    EXPECT_EQ(onLinux.status, 0) << onLinux.output;
    const std::string start = expectedStartOfDay();
    EXPECT_EQ(linuxLog().substr(0, start.size()), start);
    // The sale reached the printer: the coupon was printed and the totals moved.
    EXPECT_EQ(shop.printer.model().counters.coo, 1235);
    EXPECT_NE(onLinux.output.find("coupon 001235; grand total 000000000000106329"),
              std::string::npos)
        << onLinux.output;
}

class WineTest : public PosClientTest {
  protected:
    void SetUp() override {
        PosClientTest::SetUp();
        QUELFI_NEED(toolInstalled("wine") && toolInstalled("wineserver"), "Wine is not installed");
        for (const char* program :
             {"QuelFI32.dll", "quelfi_client.exe", "quelfi_platform_checks.exe"}) {
            QUELFI_NEED(fileExists(build(program)),
                        build(program) + " is not built (scripts/build-windows)");
        }
        wine_ = std::make_unique<WineSession>(win64Build() + "/wineprefix");
        ASSERT_EQ(wine_->problem(), "");
    }

    void TearDown() override {
        wine_.reset();
        PosClientTest::TearDown();
    }

    static std::string build(const std::string& file) { return win64Build() + "/" + file; }

    std::unique_ptr<WineSession> wine_;
};

TEST_F(WineTest, PlatformChecksPassAndLeaveThePrintersLineSettings) {
    PseudoTerminal line;
    ASSERT_TRUE(wine_->mapPort("COM1", line.devicePath()));

    // The far end of the line: waits for the checks' "PING", notes the settings the port has
    // then, and answers "PONG".
    std::optional<termios> settings;
    std::optional<termios> linkSettings;
    std::thread farEnd([&] {
        if (line.read(4, 20000) != "PING") return;
        termios now{};
        if (::tcgetattr(line.controller(), &now) == 0) settings = now;
        line.write("PONG");
        // Then the journal download's link: its settings, and a block for it to read. Until the
        // link opens the line nobody holds it (reads fail at once); the port's XON/XOFF on input
        // may put a flow byte before its first bytes.
        std::string link;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (link.find("LINK") == std::string::npos && std::chrono::steady_clock::now() < end) {
            const std::string more = line.read(1, 100);
            if (more.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            link += more;
        }
        if (link.find("LINK") == std::string::npos) return;
        if (::tcgetattr(line.controller(), &now) == 0) linkSettings = now;
        line.write(std::string(300, 'B'));
    });
    const CommandResult checks = wine_->run(build("quelfi_platform_checks.exe"), "COM1");
    farEnd.join();

    EXPECT_EQ(withoutCarriageReturns(checks.output), "ok: 0 failed\n");
    EXPECT_EQ(checks.status, 0);
    ASSERT_TRUE(settings.has_value()) << "the checks sent nothing on COM1";
    EXPECT_EQ(::cfgetospeed(&*settings), speed_t{B9600});
    EXPECT_EQ(settings->c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t{CS8 | CRTSCTS});
    EXPECT_EQ(settings->c_iflag & (IXON | IXOFF), tcflag_t{IXOFF});
    EXPECT_EQ(settings->c_cc[VSTART], 0x11);
    EXPECT_EQ(settings->c_cc[VSTOP], 0x13);
    // The link's own: 115200 baud, two stop bits, no CTS flow, the port's XON/XOFF kept.
    ASSERT_TRUE(linkSettings.has_value()) << "the link sent nothing on COM1";
    EXPECT_EQ(::cfgetospeed(&*linkSettings), speed_t{B115200});
    EXPECT_EQ(linkSettings->c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t{CS8 | CSTOPB});
    EXPECT_EQ(linkSettings->c_iflag & (IXON | IXOFF), tcflag_t{IXOFF});
}

TEST_F(WineTest, ClientCallLogIsTheLinuxBuildsLog) {
    ShopPrinter linuxShop;
    const CommandResult onLinux = runOnLinux(linuxShop);

    // Windows: the same INI in the system directory, COM1 on the same shop's printer.
    ShopPrinter windowsShop;
    ASSERT_TRUE(wine_->mapPort("COM1", windowsShop.server.devicePath()));
    writeFile(wine_->systemDirectory() + "/QuelFI32.ini", kIni);
    fs::create_directories(wine_->driveC() + "/quelfi");
    fs::remove(wine_->driveC() + "/quelfi/QuelFI32.log");
    const CommandResult onWindows = wine_->run(build("quelfi_client.exe"), "QuelFI32.dll");

    EXPECT_EQ(onLinux.status, 0) << onLinux.output;
    EXPECT_EQ(onWindows.status, 0) << onWindows.output;
    EXPECT_EQ(withoutCarriageReturns(onWindows.output), onLinux.output);
    EXPECT_EQ(windowsShop.printer.paper().text(), linuxShop.printer.paper().text());
    EXPECT_EQ(readFile(wine_->driveC() + "/quelfi/QuelFI32.log"), linuxLog());
}

}  // namespace
}  // namespace quelfi::test
