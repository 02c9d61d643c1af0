// The examples a point-of-sale developer copies, built here the way that developer builds them and
// run against the same shop's virtual printer: each sells its coupon and says the coupon's number,
// and the Free Pascal and C# ones leave, byte for byte, the call log the C one leaves.
#include <filesystem>
#include <functional>

#include "support/developer_tools.h"
#include "support/shop_sale.h"

namespace quelfi::test {
namespace {

const std::string kExamples = QUELFI_SOURCE_DIR "/examples";
const std::string kGenerated = QUELFI_BINARY_DIR "/generated";
const std::string kLibraryDir = std::filesystem::path(QUELFI_SHARED_LIBRARY).parent_path();
const std::vector<std::string> kFindsLibrary = {"LD_LIBRARY_PATH=" + kLibraryDir};

TEST_F(ShopSaleTest, CExampleSellsTheCoupon) {
    const Sale sale = sell(QUELFI_C_EXAMPLE, {}, kFindsLibrary);
    EXPECT_EQ(sale.run.err, "");
    EXPECT_EQ(sale.run.out, "Cupom 001235\n");
    EXPECT_EQ(sale.run.exitCode, 0);
    EXPECT_EQ(sale.coo, 1235);
}

// A language's example: its compiler's arguments to build it into a directory, and the command
// that runs what was built there.
struct Language {
    const char* name;
    std::vector<const char*> tools;  // the compiler first
    std::function<std::vector<std::string>(const std::string& dir)> build;
    std::function<std::vector<std::string>(const std::string& dir)> run;
};

const Language kLanguages[] = {
    {"FreePascal",
     {"fpc"},
     [](const std::string& dir) {
         return std::vector<std::string>{"-Mdelphi",
                                         "-Sew",
                                         "-FU" + dir,
                                         "-Fu" + kGenerated,
                                         "-Fl" + kLibraryDir,
                                         "-o" + dir + "/sale",
                                         kExamples + "/sale.pas"};
     },
     [](const std::string& dir) { return std::vector<std::string>{dir + "/sale"}; }},
    {"CSharp",
     {"mcs", "mono"},
     [](const std::string& dir) {
         return std::vector<std::string>{"-nologo", "-warnaserror", "-out:" + dir + "/Sale.exe",
                                         kExamples + "/Sale.cs", kGenerated + "/QuelFI32.cs"};
     },
     [](const std::string& dir) {
         return std::vector<std::string>{programPath("mono"), dir + "/Sale.exe"};
     }},
};

class LanguageExampleTest : public ShopSaleTest, public ::testing::WithParamInterface<Language> {};

TEST_P(LanguageExampleTest, SellsLikeTheCExample) {
    QUELFI_NEED_PLAIN_BUILD();
    const Language& language = GetParam();
    for (const char* tool : language.tools) QUELFI_NEED_PROGRAM(programPath(tool), tool);
    const ToolRun built = runTool(programPath(language.tools.front()), language.build(root()));
    ASSERT_EQ(built.exitCode, 0) << built.out << built.err;

    const Sale c = sell(QUELFI_C_EXAMPLE, {}, kFindsLibrary);
    const std::vector<std::string> command = language.run(root());
    const Sale other = sell(command.front(), {command.begin() + 1, command.end()}, kFindsLibrary);
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
