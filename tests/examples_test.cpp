// The examples a point-of-sale developer copies, built here the way that developer builds them and
// run against the same shop's virtual printer: each sells its coupon and says the coupon's number,
// and the Free Pascal and C# ones leave, byte for byte, the call log the C one leaves.
#include <filesystem>
#include <functional>

#include "support/developer_tools.h"
#include "support/library_fixture.h"
#include "support/shop_printer.h"
#include "support/tool_process.h"

namespace quelfi::test {
namespace {

namespace fs = std::filesystem;

const std::string kExamples = QUELFI_SOURCE_DIR "/examples";
const std::string kGenerated = QUELFI_BINARY_DIR "/generated";

std::string libraryDir() {
    return fs::path(QUELFI_SHARED_LIBRARY).parent_path().string();
}

struct Sale {
    ToolRun run;
    std::string log;
    int coo = 0;  // the printer's document counter afterwards
};

class ExamplesTest : public LibraryTest {
  protected:
    // Runs a built example at the shop, the library found by the dynamic loader.
    Sale sell(const std::string& program, const std::vector<std::string>& args = {}) {
        ShopPrinter shop;
        writeFile(systemDir() + "/QuelFI32.ini", kShopIni);
        shop.server.linkAs(portDir() + "/COM1");
        fs::create_directories(driveC() + "/quelfi");
        fs::remove(driveC() + "/quelfi/QuelFI32.log");
        ToolRun run = runTool(program, args, {"LD_LIBRARY_PATH=" + libraryDir()});
        return {run, readFile(driveC() + "/quelfi/QuelFI32.log"),
                shop.printer.model().counters.coo};
    }
};

TEST_F(ExamplesTest, CExampleSellsTheCoupon) {
    const Sale sale = sell(QUELFI_C_EXAMPLE);
    EXPECT_EQ(sale.run.err, "");
    EXPECT_EQ(sale.run.out, "Cupom 001235\n");
    EXPECT_EQ(sale.run.exitCode, 0);
    EXPECT_EQ(sale.coo, 1235);
}

// A language's example: the compiler it needs, how it is built into a directory, and the command
// that runs what was built.
struct Language {
    const char* name;
    const char* compiler;
    std::function<std::vector<std::string>(const std::string& dir)> buildArguments;
    std::function<std::vector<std::string>(const std::string& dir)> runCommand;
};

const Language kLanguages[] = {
    {"FreePascal", "fpc",
     [](const std::string& dir) {
         return std::vector<std::string>{"-Mdelphi",
                                         "-Sew",
                                         "-FU" + dir,
                                         "-Fu" + kGenerated,
                                         "-Fl" + libraryDir(),
                                         "-o" + dir + "/sale",
                                         kExamples + "/sale.pas"};
     },
     [](const std::string& dir) { return std::vector<std::string>{dir + "/sale"}; }},
    {"CSharp", "mcs",
     [](const std::string& dir) {
         return std::vector<std::string>{"-nologo", "-warnaserror", "-out:" + dir + "/Sale.exe",
                                         kExamples + "/Sale.cs", kGenerated + "/QuelFI32.cs"};
     },
     [](const std::string& dir) {
         return std::vector<std::string>{programPath("mono"), dir + "/Sale.exe"};
     }},
};

class LanguageExampleTest : public ExamplesTest, public ::testing::WithParamInterface<Language> {};

TEST_P(LanguageExampleTest, SellsLikeTheCExample) {
    QUELFI_NEED_PLAIN_BUILD();
    const Language& language = GetParam();
    const std::string compiler = programPath(language.compiler);
    QUELFI_NEED_PROGRAM(compiler, language.compiler);
    if (std::string(language.name) == "CSharp") QUELFI_NEED_PROGRAM(programPath("mono"), "mono");
    const std::string dir = root() + "/built";
    fs::create_directories(dir);
    const ToolRun built = runTool(compiler, language.buildArguments(dir));
    ASSERT_EQ(built.exitCode, 0) << built.out << built.err;

    const Sale c = sell(QUELFI_C_EXAMPLE);
    const std::vector<std::string> command = language.runCommand(dir);
    const Sale other =
        sell(command.front(), std::vector<std::string>(command.begin() + 1, command.end()));
    EXPECT_EQ(other.run.err, "");
    EXPECT_EQ(other.run.out, c.run.out);
    EXPECT_EQ(other.run.exitCode, 0);
    EXPECT_EQ(other.coo, c.coo);
    EXPECT_EQ(other.log, c.log);
}

INSTANTIATE_TEST_SUITE_P(Examples, LanguageExampleTest, ::testing::ValuesIn(kLanguages),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quelfi::test
