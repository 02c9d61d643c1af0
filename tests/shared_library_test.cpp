// The built shared library as programs load it, not the archive the other tests link: child
// processes load libquelfi32.so, make the day's calls against the virtual printer and end in each
// way a program does. None may be killed on its way out, and the unload step writes nothing.
#include <filesystem>

#include "support/library_fixture.h"
#include "support/shop_client.h"
#include "support/tool_process.h"

namespace quelfi::test {
namespace {

namespace fs = std::filesystem;

class SharedLibraryTest : public LibraryTest {
  protected:
    // The point-of-sale client, ending as `ending` says, against a fresh shop; its call log.
    std::string runClient(const std::string& ending) {
        ShopPrinter shop;
        writeFile(systemDir() + "/QuelFI32.ini", kShopIni);
        shop.server.linkAs(portDir() + "/COM1");
        fs::create_directories(driveC() + "/quelfi");
        fs::remove(logPath());
        const ToolRun run = runTool(QUELFI_POS_CLIENT, {QUELFI_SHARED_LIBRARY, ending});
        EXPECT_EQ(run.exitCode, 0) << ending << "\n" << run.out << run.err;
        EXPECT_EQ(run.err, "") << ending;
        return readFile(logPath());
    }

    std::string logPath() const { return driveC() + "/quelfi/QuelFI32.log"; }
};

TEST_F(SharedLibraryTest, ProgramsEndCleanlyWithThePortOpenOrClosed) {
    // The day as a program that closes the port and stays loaded until it exits leaves it.
    const std::string closedDay = runClient("exit-closed");
    const std::string closing = shopPortClosedLog();
    ASSERT_GT(closedDay.size(), closing.size());
    ASSERT_EQ(closedDay.substr(closedDay.size() - closing.size()), closing);
    const std::string openDay = closedDay.substr(0, closedDay.size() - closing.size());

    const struct {
        const char* ending;
        std::string log;
    } cases[] = {
        {"unload", closedDay},
        {"exit-open", openDay},
        // Loaded again: the configuration is read again, and the port, closed when the library
        // was dropped, opens again.
        {"reload", openDay + shopConfigurationLog() + shopPortOpenedLog()},
    };
    for (const auto& c : cases) EXPECT_EQ(runClient(c.ending), c.log) << c.ending;
}

}  // namespace
}  // namespace quelfi::test
