// The cross-built DLLs as a point-of-sale program meets them: exactly the table's names in the
// export table (decorated ones with their argument bytes, the others without decoration), only
// Windows system libraries among the imports, and the project's version in the version resource.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "exports/module_definition.h"
#include "support/library_fixture.h"
#include "win32/windows_builds.h"

namespace quelfi::test {
namespace {

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The parameter is the build's word size: 32 (the DLL we ship) or 64 (the one Wine runs).
class WindowsDll : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        const bool bits32 = GetParam() == 32;
        dll_ = (bits32 ? win32Build() : win64Build()) + "/QuelFI32.dll";
        const std::string objdump =
            bits32 ? "i686-w64-mingw32-objdump" : "x86_64-w64-mingw32-objdump";
        QUELFI_NEED(toolInstalled(objdump), objdump + " is not installed");
        QUELFI_NEED(fileExists(dll_), dll_ + " is not built (scripts/build-windows)");
        const CommandResult listed = runCommand(objdump + " -p " + shellWord(dll_));
        ASSERT_EQ(listed.status, 0);
        tables_ = readTables(listed.output);
    }

    std::string dll_;
    DllTables tables_;
};

TEST_P(WindowsDll, ExportsExactlyTheTableNames) {
    std::set<std::string> expected;
    for (const auto& e : exports::kSurface) expected.insert(exports::windowsName(e));
    EXPECT_EQ(tables_.exports, expected);
}

TEST_P(WindowsDll, ImportsOnlyWindowsSystemLibraries) {
    const std::set<std::string> system = {"KERNEL32.DLL", "USER32.DLL",   "VERSION.DLL",
                                          "MSVCRT.DLL",   "ADVAPI32.DLL", "GDI32.DLL"};
    std::set<std::string> others;
    for (const auto& name : tables_.imports) {
        if (!system.contains(upper(name))) others.insert(name);
    }
    EXPECT_EQ(others, std::set<std::string>{});
    EXPECT_TRUE(tables_.imports.contains("KERNEL32.dll"));
}

TEST_P(WindowsDll, VersionResourceCarriesTheProjectVersion) {
    // The fixed part of a version resource starts with the signature 0xFEEF04BD, then the
    // structure version, then the file version's high and low double words.
    const std::string bytes = readFile(dll_);
    const std::string signature("\xBD\x04\xEF\xFE", 4);
    const auto at = bytes.find(signature);
    ASSERT_NE(at, std::string::npos) << "no version resource";
    ASSERT_LE(at + 16, bytes.size());
    std::uint32_t high = 0, low = 0;
    std::memcpy(&high, bytes.data() + at + 8, 4);
    std::memcpy(&low, bytes.data() + at + 12, 4);
    const std::string version = std::to_string(high >> 16) + "," + std::to_string(high & 0xFFFF) +
                                "," + std::to_string(low >> 16) + "," +
                                std::to_string(low & 0xFFFF);
    EXPECT_EQ(version, QUELFI_VERSION_TEXT);
}

INSTANTIATE_TEST_SUITE_P(Builds, WindowsDll, ::testing::Values(32, 64),
                         [](const auto& info) { return "Bits" + std::to_string(info.param); });

}  // namespace
}  // namespace quelfi::test
