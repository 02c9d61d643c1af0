// The Windows kit beside the 32-bit DLL: the files a point-of-sale developer takes, and an import
// library for Microsoft's linker that names exactly the DLL's exports (llvm-readobj).
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "support/library_fixture.h"
#include "win32/windows_builds.h"

namespace quelfi::test {
namespace {

const std::string kKit = std::string("QuelFI32-") + QUELFI_PROJECT_VERSION + "-win32";

// The DLL names the short import members of an import library stand for: each member's symbol
// and name type as llvm-readobj lists them, read as the Windows loader reads them.
std::set<std::string> importNames(const std::string& listing) {
    std::set<std::string> names;
    std::istringstream lines(listing);
    std::string line, nameType;
    while (std::getline(lines, line)) {
        if (line.rfind("Name type: ", 0) == 0) nameType = line.substr(11);
        if (line.rfind("Symbol: ", 0) != 0 || line.rfind("Symbol: __imp_", 0) == 0) continue;
        std::string name = line.substr(8);
        if (nameType != "name" && !name.empty() &&
            std::string("?@_").find(name[0]) != std::string::npos)
            name.erase(0, 1);
        if (nameType == "undecorate") name = name.substr(0, name.find('@'));
        names.insert(name);
    }
    return names;
}

class WindowsKitTest : public LibraryTest {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        const std::string zip = win32Build() + "/" + kKit + ".zip";
        QUELFI_NEED(fileExists(zip), zip + " is not built (scripts/build-windows)");
        QUELFI_NEED(toolInstalled("llvm-readobj"), "llvm-readobj is not installed");
        const CommandResult listed =
            runCommand("cd " + shellWord(root()) + " && cmake -E tar tf " + shellWord(zip) +
                       " && cmake -E tar xf " + shellWord(zip));
        ASSERT_EQ(listed.status, 0);
        std::istringstream lines(listed.output);
        for (std::string line; std::getline(lines, line);) listing_.insert(line);
    }

    std::string kitFile(const std::string& name) const { return root() + "/" + kKit + "/" + name; }

    std::set<std::string> listing_;
};

TEST_F(WindowsKitTest, HoldsWhatADeveloperTakes) {
    std::set<std::string> expected = {kKit + "/"};
    for (const char* file :
         {"QuelFI32.dll", "QuelMFD.dll", "libQuelFI32.dll.a", "QuelFI32.lib", "QuelFI32.def",
          "quelfi32.h", "QuelFI32.pas", "QuelFI32.cs", "QuelFI32.bas", "README.txt", "QuelFI32.ini",
          "sale.c", "sale.pas", "Sale.cs"})
        expected.insert(kKit + "/" + file);
    EXPECT_EQ(listing_, expected);
    for (const char* dll : {"QuelFI32.dll", "QuelMFD.dll"})
        EXPECT_EQ(readFile(kitFile(dll)), readFile(win32Build() + "/" + dll)) << dll;
}

TEST_F(WindowsKitTest, MicrosoftImportLibraryNamesExactlyTheDllsExports) {
    const CommandResult members = runCommand("llvm-readobj " + shellWord(kitFile("QuelFI32.lib")));
    ASSERT_EQ(members.status, 0);
    const std::set<std::string> exported =
        readTables(
            runCommand("i686-w64-mingw32-objdump -p " + shellWord(kitFile("QuelFI32.dll"))).output)
            .exports;
    ASSERT_FALSE(exported.empty());
    EXPECT_EQ(importNames(members.output), exported);
}

}  // namespace
}  // namespace quelfi::test
