// The Debian package as a shop's machine and a point-of-sale developer meet it: made by cpack,
// installed by dpkg into an empty root, holding the files of a Linux installation; a C program
// built against it through pkg-config alone and through find_package alone, both run against the
// virtual printer; then removed and purged, leaving nothing behind.
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

#include "support/developer_tools.h"
#include "support/library_fixture.h"
#include "support/shop_sale.h"

namespace quelfi::test {
namespace {

namespace fs = std::filesystem;

const std::string kExamples = QUELFI_SOURCE_DIR "/examples";

class PackageTest : public ShopSaleTest {
  protected:
    std::string stage() const { return root() + "/stage"; }
    std::string admin() const { return stage() + "/var/lib/dpkg"; }

    // dpkg on the staged root, maintainer scripts run as for another system ($DPKG_ROOT).
    ToolRun dpkg(std::vector<std::string> args) {
        args.insert(args.begin(),
                    {"--instdir=" + stage(), "--admindir=" + admin(), "--force-not-root",
                     "--force-script-chrootless", "--force-depends", "--log=/dev/null"});
        const char* path = std::getenv("PATH");
        return runTool(programPath("dpkg"), args,
                       {"PATH=/usr/sbin:/sbin:" + std::string(path ? path : "/usr/bin:/bin")});
    }

    // What is under the staged root but dpkg's own records: its files and links, and its
    // directories too when asked.
    std::set<std::string> staged(bool directories = false) const {
        std::set<std::string> out;
        for (const auto& entry : fs::recursive_directory_iterator(stage())) {
            const std::string path = entry.path().lexically_relative(stage()).string();
            if (path == "var" || path == "var/lib" || path.rfind("var/lib/dpkg", 0) == 0) continue;
            if (directories || !entry.is_directory() || entry.is_symlink()) out.insert(path);
        }
        return out;
    }
};

TEST_F(PackageTest, InstallsBuildsAgainstAndRemovesCleanly) {
    QUELFI_NEED_PLAIN_BUILD();
    for (const char* tool : {"cpack", "dpkg", "pkg-config", "cc", "cmake"})
        QUELFI_NEED_PROGRAM(programPath(tool), tool);
    const ToolRun packed =
        runTool(programPath("cpack"), {"-G", "DEB", "-B", root() + "/package", "--config",
                                       QUELFI_BINARY_DIR "/CPackConfig.cmake"});
    ASSERT_EQ(packed.exitCode, 0) << packed.out << packed.err;
    std::string deb;
    for (const auto& entry : fs::directory_iterator(root() + "/package"))
        if (entry.path().extension() == ".deb") deb = entry.path().string();
    ASSERT_NE(deb, "");

    fs::create_directories(admin() + "/info");
    fs::create_directories(admin() + "/updates");
    writeFile(admin() + "/status", "");
    const ToolRun installed = dpkg({"--install", deb});
    ASSERT_EQ(installed.exitCode, 0) << installed.out << installed.err;

    const std::string cmake = "usr/lib/cmake/QuelFI32/QuelFI32", share = "usr/share/quelfi32/",
                      examples = "usr/share/doc/quelfi32/examples/";
    const std::set<std::string> files = {"usr/bin/quelfi",
                                         "usr/include/quelfi32.h",
                                         "usr/lib/libquelfi32.so",
                                         "usr/lib/libquelfi32.so.1",
                                         "usr/lib/libquelfi32.so.1.0.0",
                                         "usr/lib/libquelmfd.so",
                                         "usr/lib/pkgconfig/quelfi32.pc",
                                         cmake + "Config.cmake",
                                         cmake + "ConfigVersion.cmake",
                                         cmake + "Targets.cmake",
                                         cmake + "Targets-" + QUELFI_BUILD_TYPE + ".cmake",
                                         "usr/lib/systemd/system/quelfi-driver.service",
                                         share + "QuelFI32.bas",
                                         share + "QuelFI32.cs",
                                         share + "QuelFI32.pas",
                                         examples + "CMakeLists.txt",
                                         examples + "QuelFI32.ini",
                                         examples + "Sale.cs",
                                         examples + "sale.c",
                                         examples + "sale.pas"};
    EXPECT_EQ(staged(), files);
    EXPECT_EQ(fs::read_symlink(stage() + "/usr/lib/libquelfi32.so.1"), "libquelfi32.so.1.0.0");

    // The service runs the installed tool on the shared directory it is given.
    std::istringstream unit(readFile(stage() + "/usr/lib/systemd/system/quelfi-driver.service"));
    std::string start;
    for (std::string line; std::getline(unit, line);)
        if (line.rfind("ExecStart=", 0) == 0) start = line;
    EXPECT_EQ(start, "ExecStart=/usr/bin/quelfi driver ${QUELFI_SHARED_DIR}");

    const ToolRun flags = runTool(programPath("pkg-config"), {"--cflags", "--libs", "quelfi32"},
                                  {"PKG_CONFIG_SYSROOT_DIR=" + stage(),
                                   "PKG_CONFIG_LIBDIR=" + stage() + "/usr/lib/pkgconfig"});
    ASSERT_EQ(flags.exitCode, 0) << flags.err;
    std::vector<std::string> compile = {kExamples + "/sale.c", "-o", root() + "/sale-pkgconfig"};
    std::istringstream words(flags.out);
    for (std::string word; words >> word;) compile.push_back(word);
    const ToolRun compiled = runTool(programPath("cc"), compile);
    ASSERT_EQ(compiled.exitCode, 0) << compiled.err;
    const std::string build = root() + "/sale-cmake";
    const ToolRun configured =
        runTool(programPath("cmake"),
                {"-S", kExamples, "-B", build, "-DCMAKE_PREFIX_PATH=" + stage() + "/usr"});
    ASSERT_EQ(configured.exitCode, 0) << configured.out << configured.err;
    const ToolRun made = runTool(programPath("cmake"), {"--build", build});
    ASSERT_EQ(made.exitCode, 0) << made.out << made.err;

    const std::vector<std::string> findsLibrary = {"LD_LIBRARY_PATH=" + stage() + "/usr/lib"};
    const Sale byPkgConfig = sell(root() + "/sale-pkgconfig", {}, findsLibrary);
    const Sale byCmake = sell(build + "/sale", {}, findsLibrary);
    for (const Sale* sale : {&byPkgConfig, &byCmake}) {
        EXPECT_EQ(sale->run.out, "Cupom 001235\n");
        EXPECT_EQ(sale->run.exitCode, 0) << sale->run.err;
    }
    EXPECT_EQ(byCmake.log, byPkgConfig.log);

    // The installed tool carries the library inside it and finds the formatter module where the
    // package put it: a missing download is the module's file error, not a missing module (-1).
    const ToolRun formatted = runTool(stage() + "/usr/bin/quelfi",
                                      {"call", "Quelmar_FI_FormatoDadosMFD", root() + "/none.mfd",
                                       root() + "/none.txt", "0", "0", "", "", ""},
                                      {"QUELFI_SYSTEM_DIR=" + root()});
    EXPECT_EQ(formatted.out, "result  -8  answer file could not be written\n");

    const ToolRun removed = dpkg({"--remove", "quelfi32"});
    EXPECT_EQ(removed.exitCode, 0) << removed.out << removed.err;
    const ToolRun purged = dpkg({"--purge", "quelfi32"});
    EXPECT_EQ(purged.exitCode, 0) << purged.out << purged.err;
    EXPECT_EQ(staged(true), std::set<std::string>{});
}

}  // namespace
}  // namespace quelfi::test
