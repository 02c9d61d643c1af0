// The examples a point-of-sale developer copies, built the way that developer builds them and run
// at the same shop: the C one sells its coupon and says its number, and the Free Pascal and C#
// ones say the same and leave, byte for byte, the call log the C one leaves.
#include <filesystem>

#include "support/developer_tools.h"
#include "support/shop_sale.h"

namespace quelfi::test {
namespace {

const std::string kExamples = QUELFI_SOURCE_DIR "/examples";
const std::string kGenerated = QUELFI_BINARY_DIR "/generated";
const std::string kLibraryDir = std::filesystem::path(QUELFI_SHARED_LIBRARY).parent_path();
const std::vector<std::string> kFindsLibrary = {"LD_LIBRARY_PATH=" + kLibraryDir};

TEST_F(ShopSaleTest, ExamplesSellTheSameCoupon) {
    const Sale c = sell(QUELFI_C_EXAMPLE, {}, kFindsLibrary);
    EXPECT_EQ(c.run.err, "");
    EXPECT_EQ(c.run.out, "Cupom 001235\n");
    EXPECT_EQ(c.run.exitCode, 0);
    EXPECT_EQ(c.coo, 1235);
    QUELFI_NEED_PLAIN_BUILD();

    const std::string dir = root();
    const struct {
        std::vector<const char*> tools;  // the compiler first
        std::vector<std::string> build;
        std::vector<std::string> run;  // the runtime first, or the program
    } languages[] = {
        {{"fpc"},
         {"-Mdelphi", "-Sew", "-FU" + dir, "-Fu" + kGenerated, "-Fl" + kLibraryDir,
          "-o" + dir + "/sale", kExamples + "/sale.pas"},
         {dir + "/sale"}},
        {{"mcs", "mono"},
         {"-nologo", "-warnaserror", "-out:" + dir + "/Sale.exe", kExamples + "/Sale.cs",
          kGenerated + "/QuelFI32.cs"},
         {programPath("mono"), dir + "/Sale.exe"}},
    };
    for (const auto& language : languages) {
        SCOPED_TRACE(language.tools.front());
        for (const char* tool : language.tools) QUELFI_NEED_PROGRAM(programPath(tool), tool);
        const ToolRun built = runTool(programPath(language.tools.front()), language.build);
        ASSERT_EQ(built.exitCode, 0) << built.out << built.err;
        const Sale other = sell(language.run.front(),
                                {language.run.begin() + 1, language.run.end()}, kFindsLibrary);
        EXPECT_EQ(other.run.err, "");
        EXPECT_EQ(other.run.out, c.run.out);
        EXPECT_EQ(other.run.exitCode, 0);
        EXPECT_EQ(other.log, c.log);
    }
}

}  // namespace
}  // namespace quelfi::test
