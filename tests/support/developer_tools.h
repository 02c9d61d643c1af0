// The compilers and packaging tools of a point-of-sale developer (fpc, mcs, mono, cpack, dpkg,
// pkg-config), found on PATH. A test that builds with one skips when it is missing, unless
// QUELFI_REQUIRE_TOOLS=1 makes that a failure (scripts/test sets it after installing them).
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace quelfi::test {

// The program's full path on PATH; "" when it is not there.
std::string programPath(const std::string& name);

bool developerToolsRequired();

}  // namespace quelfi::test

// Skips the test when `path` (from programPath) is empty, or fails it when the tools are required.
#define QUELFI_NEED_PROGRAM(path, name)                        \
    do {                                                       \
        if ((path).empty()) {                                  \
            if (::quelfi::test::developerToolsRequired())      \
                FAIL() << (name) << " is not installed";       \
            else                                               \
                GTEST_SKIP() << (name) << " is not installed"; \
        }                                                      \
    } while (0)

// The library of a sanitizer build loads only into programs built with the sanitizers: the tests
// that build programs with other compilers, or a package of the library, belong to the plain build.
#define QUELFI_NEED_PLAIN_BUILD()                                                     \
    do {                                                                              \
        if (QUELFI_SANITIZED)                                                         \
            GTEST_SKIP() << "a sanitized library loads only into sanitized programs"; \
    } while (0)
