// The point-of-sale client's calls on both builds. On Linux its twin loads the shared library;
// under Wine, with COM1 mapped to a pseudo-terminal, the 32-bit Windows build we ship and the
// 64-bit one each run the platform layer's own checks and the client, whose call log must be
// byte for byte the Linux build's.
#include <termios.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

#include "support/library_fixture.h"
#include "support/pseudo_terminal.h"
#include "support/shop_sale.h"
#include "win32/windows_builds.h"
#include "win32/wine_session.h"

namespace quelfi::test {
namespace {

namespace fs = std::filesystem;

// The point-of-sale client's calls with COM1 on the virtual printer and the log on drive C.
class PosClientTest : public LibraryTest {
  protected:
    static constexpr const char* kIni = kShopIni;

    // The Linux twin of the Windows client, loading the shared library as a program does and
    // leaving it as `ending` says, with a log of its own.
    CommandResult runOnLinux(ShopPrinter& shop, const std::string& ending = "unload") {
        writeFile(systemDir() + "/QuelFI32.ini", kIni);
        shop.server.linkAs(portDir() + "/COM1");
        fs::create_directories(driveC() + "/quelfi");
        fs::remove(driveC() + "/quelfi/QuelFI32.log");
        return runCommand(shellWord(QUELFI_POS_CLIENT) + " " + shellWord(QUELFI_SHARED_LIBRARY) +
                          " " + ending);
    }

    std::string linuxLog() const { return readFile(driveC() + "/quelfi/QuelFI32.log"); }

    // The load step's reading of the configuration, and the port opened and closed, as logged.
    struct LogPieces {
        std::string configuration, opened, closed;
    };
    static LogPieces logPieces() {
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
        return {configuration, opened, closed};
    }
};

TEST_F(PosClientTest, LinuxBuildLogsEveryCallFromTheLoadStepOnAndEndsCleanly) {
    ShopPrinter shop;
    const CommandResult onLinux = runOnLinux(shop, "exit-closed");
    EXPECT_EQ(onLinux.status, 0) << onLinux.output;
    const auto [configuration, opened, closed] = logPieces();
    // The start of the day: load, open, open again, close, open by index, close, reload, close.
    const std::string start =
        configuration + opened + opened + closed + opened + closed + configuration + closed;
    const std::string day = linuxLog();
    EXPECT_EQ(day.substr(0, start.size()), start);
    // The sale reached the printer: the coupon was printed and the totals moved.
    EXPECT_EQ(shop.printer.model().counters.coo, 1237);
    EXPECT_NE(onLinux.output.find("coupon 001237; grand total 000000000000106529"),
              std::string::npos)
        << onLinux.output;

    // Every other way out of the library: none is killed on its way out and the unload step
    // writes nothing. Loaded again, the library reads its configuration again, and the port,
    // closed when the library was dropped, opens again.
    ASSERT_TRUE(day.ends_with(closed));
    const std::string dayOpen = day.substr(0, day.size() - closed.size());
    const std::pair<const char*, std::string> endings[] = {
        {"unload", day}, {"exit-open", dayOpen}, {"reload", dayOpen + configuration + opened}};
    for (const auto& [ending, log] : endings) {
        ShopPrinter again;
        const CommandResult run = runOnLinux(again, ending);
        EXPECT_EQ(run.status, 0) << ending << "\n" << run.output;
        EXPECT_EQ(linuxLog(), log) << ending;
    }
}

// The parameter is the Windows build's word size: 32, the DLL we ship, or 64.
class WineTest : public PosClientTest, public ::testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        PosClientTest::SetUp();
        QUELFI_NEED(toolInstalled("wine") && toolInstalled("wineserver"), "Wine is not installed");
        if (GetParam() == 32)
            QUELFI_NEED(fileExists("/usr/lib/wine/wine"), "32-bit Wine is not installed");
        for (const char* program :
             {"QuelFI32.dll", "QuelMFD.dll", "quelfi_client.exe", "quelfi_platform_checks.exe"}) {
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

    std::string build(const std::string& file) const {
        return (GetParam() == 32 ? win32Build() : win64Build()) + "/" + file;
    }

    // The client with `arguments` at `shop`: the same INI in the system directory (a 32-bit
    // program's is syswow64), COM1 on the shop's printer, the log on drive C.
    CommandResult runOnWindows(ShopPrinter& shop, const std::string& arguments) {
        if (const std::string problem = wine_->mapPort("COM1", shop.server.devicePath());
            !problem.empty())
            return {-1, problem};
        writeFile(wine_->driveC() + (GetParam() == 32 ? "/windows/syswow64" : "/windows/system32") +
                      "/QuelFI32.ini",
                  kIni);
        fs::remove_all(wine_->driveC() + "/quelfi");
        fs::create_directories(wine_->driveC() + "/quelfi");
        return wine_->run(build("quelfi_client.exe"), arguments);
    }

    std::unique_ptr<WineSession> wine_;
};

TEST_P(WineTest, PlatformChecksPassAndLeaveThePrintersLineSettings) {
    PseudoTerminal line;
    ASSERT_EQ(wine_->mapPort("COM1", line.devicePath()), "");

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

// The client ends as most programs do, with the port open and the DLL loaded: the DLL's
// process-exit step runs, and the process ends with the client's own status.
TEST_P(WineTest, ClientCallLogIsTheLinuxBuildsLog) {
    ShopPrinter linuxShop;
    const CommandResult onLinux = runOnLinux(linuxShop, "exit-open");

    ShopPrinter windowsShop;
    const CommandResult onWindows = runOnWindows(windowsShop, "QuelFI32.dll exit-open");

    EXPECT_EQ(onLinux.status, 0) << onLinux.output;
    EXPECT_EQ(onWindows.status, 0) << onWindows.output;
    EXPECT_EQ(withoutCarriageReturns(onWindows.output), onLinux.output);
    EXPECT_EQ(windowsShop.printer.paper().text(), linuxShop.printer.paper().text());
    EXPECT_EQ(readFile(wine_->driveC() + "/quelfi/QuelFI32.log"), linuxLog());
}

// The journal printer's fiscal memory and journal, downloaded at 115200 baud through the Windows
// serial code, and the journal formatted by QuelMFD.dll found beside the DLL.
TEST_P(WineTest, JournalDownloadAndItsTextAreTheLinuxBuilds) {
    const std::string journal = "; mfd=1; history=11/03/2024,3";
    ShopPrinter linuxShop(journal);
    const CommandResult onLinux = runOnLinux(linuxShop, "download");
    ShopPrinter windowsShop(journal);
    const CommandResult onWindows = runOnWindows(windowsShop, "QuelFI32.dll download");

    EXPECT_EQ(onLinux.status, 0) << onLinux.output;
    EXPECT_EQ(onWindows.status, 0) << onWindows.output;
    EXPECT_EQ(withoutCarriageReturns(onWindows.output), onLinux.output);
    for (const char* file : {"MF.BIN", "MFD.BIN", "MFD.TXT"}) {
        const std::string onLinuxFile = readFile(driveC() + "/quelfi/" + file);
        EXPECT_NE(onLinuxFile, "") << file;
        EXPECT_EQ(readFile(wine_->driveC() + "/quelfi/" + file), onLinuxFile) << file;
    }
    EXPECT_EQ(readFile(wine_->driveC() + "/quelfi/QuelFI32.log"), linuxLog());
    // The database's name is the program's Windows-1252 one, which Wine keeps in UTF-8.
    EXPECT_TRUE(fileExists(driveC() + "/quelfi/Relat\xF3rio.db"));
    EXPECT_TRUE(fileExists(wine_->driveC() + "/quelfi/Relat\xC3\xB3rio.db"));
}

INSTANTIATE_TEST_SUITE_P(Builds, WineTest, ::testing::Values(32, 64),
                         [](const auto& info) { return "Bits" + std::to_string(info.param); });

}  // namespace
}  // namespace quelfi::test
