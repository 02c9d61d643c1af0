// The Windows kit beside the 32-bit DLL: the files a point-of-sale developer takes, and an import
// library for Microsoft's linker that names exactly the DLL's exports (llvm-readobj) and through
// which a Microsoft-style linker (lld-link) binds a program to every function of quelfi32.h.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "exports/module_definition.h"
#include "support/library_fixture.h"
#include "surface/microsoft_import_library.h"
#include "win32/windows_builds.h"

namespace quelfi::test {
namespace {

namespace fs = std::filesystem;

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

    std::set<std::string> dllExports() const {
        const CommandResult dump =
            runCommand("i686-w64-mingw32-objdump -p " + shellWord(kitFile("QuelFI32.dll")));
        return readTables(dump.output).exports;
    }

    std::set<std::string> listing_;
};

TEST_F(WindowsKitTest, HoldsWhatADeveloperTakes) {
    std::set<std::string> expected;
    for (const char* file : {"QuelFI32.dll", "libQuelFI32.dll.a", "QuelFI32.lib", "QuelFI32.def",
                             "quelfi32.h", "QuelFI32.pas", "QuelFI32.cs", "QuelFI32.bas",
                             "README.txt", "QuelFI32.ini", "sale.c", "sale.pas", "Sale.cs"})
        expected.insert(kKit + "/" + file);
    EXPECT_EQ(listing_, expected);
    EXPECT_EQ(readFile(kitFile("QuelFI32.dll")), readFile(win32Build() + "/QuelFI32.dll"));
}

TEST_F(WindowsKitTest, MicrosoftImportLibraryNamesExactlyTheDllsExports) {
    const CommandResult members = runCommand("llvm-readobj " + shellWord(kitFile("QuelFI32.lib")));
    ASSERT_EQ(members.status, 0);
    const std::set<std::string> exported = dllExports();
    ASSERT_FALSE(exported.empty());
    EXPECT_EQ(importNames(members.output), exported);
}

TEST_F(WindowsKitTest, MicrosoftStyleLinkBindsEveryFunctionOfTheHeader) {
    QUELFI_NEED(toolInstalled("clang") && toolInstalled("lld-link"),
                "clang or lld is not installed");
    // The generated program that takes every export's address, compiled for Visual C++'s target.
    const std::string object = root() + "/every.obj", program = root() + "/every.exe";
    const CommandResult linked = runCommand(
        "clang --target=i686-pc-windows-msvc -ffreestanding -c -I" + shellWord(kitFile("")) + " " +
        shellWord(win32Build() + "/generated/import_check.c") + " -o " + shellWord(object) +
        " && lld-link /nologo /entry:main /subsystem:console /nodefaultlib " + shellWord(object) +
        " " + shellWord(kitFile("QuelFI32.lib")) + " /out:" + shellWord(program) + " 2>&1");
    ASSERT_EQ(linked.status, 0) << linked.output;
    const CommandResult dump = runCommand("i686-w64-mingw32-objdump -p " + shellWord(program));
    EXPECT_EQ(importedFunctions(dump.output), dllExports());
}

// The table has a decorated export only once the TEF and Yanco functions come: the import
// library's treatment of one is checked on a table of two.
TEST(MicrosoftImportLibrary, DecoratedExportsKeepTheirDllNames) {
    QUELFI_NEED(toolInstalled("llvm-dlltool") && toolInstalled("llvm-readobj"),
                "llvm-dlltool is not installed");
    const exports::ExportInfo table[] = {
        {0, "int", "Quelmar_FI_Plain", "(const char* a)", false},
        {0, "int", "Yanco_FI_Decorated", "(const char* a, int b)", true},
    };
    char pattern[] = "/tmp/quelfi-msvc-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string dir = pattern;
    writeFile(dir + "/two.def", surface::microsoftImportDefinition(table));
    ASSERT_EQ(runCommand("llvm-dlltool -m i386 -k -d " + shellWord(dir + "/two.def") + " -l " +
                         shellWord(dir + "/two.lib"))
                  .status,
              0);
    std::string library = readFile(dir + "/two.lib");
    EXPECT_EQ(surface::keepDecoratedNames(library, surface::decoratedSymbols(table)), 1);
    writeFile(dir + "/two.lib", library);
    const CommandResult members = runCommand("llvm-readobj " + shellWord(dir + "/two.lib"));
    EXPECT_EQ(importNames(members.output),
              (std::set<std::string>{"Quelmar_FI_Plain", "_Yanco_FI_Decorated@8"}));
    std::string notAnArchive = "MZ";
    EXPECT_EQ(surface::keepDecoratedNames(notAnArchive, {}), -1);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace quelfi::test
