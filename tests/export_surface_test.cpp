// The shared library exports exactly the table's names: nothing missing, nothing extra.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "exports/surface.h"

namespace {

std::set<std::string> tableNames() {
    std::set<std::string> names;
    for (const auto& e : quelfi::exports::kSurface) names.insert(std::string(e.name));
    return names;
}

TEST(ExportSurface, SharedLibraryExportsExactlyTheTable) {
    const std::string command =
        std::string("nm -D --defined-only ") + QUELFI_SHARED_LIBRARY + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> exported;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        char address[64], kind[8], name[400];
        if (std::sscanf(line, "%63s %7s %399s", address, kind, name) == 3 &&
            (kind[0] == 'T' || kind[0] == 'W'))
            exported.insert(name);
    }
    ::pclose(pipe);
    EXPECT_EQ(exported, tableNames());
}

TEST(ExportSurface, EveryNameResolvesWhenLoaded) {
    void* library = ::dlopen(QUELFI_SHARED_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    for (const auto& name : tableNames())
        EXPECT_NE(::dlsym(library, name.c_str()), nullptr) << name;
    ::dlclose(library);
}

TEST(ExportSurface, NamesAreUniqueAndRecordsAreThreeDigits) {
    EXPECT_EQ(tableNames().size(), quelfi::exports::kSurfaceSize);
    for (const auto& e : quelfi::exports::kSurface)
        EXPECT_TRUE(e.record >= 0 && e.record <= 999) << e.name;
}

}  // namespace
