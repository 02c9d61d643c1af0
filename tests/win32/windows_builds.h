// What the Windows checks need from this machine: the cross builds, the tools, and a way to run
// a program and collect what it prints.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quelfi::test {

struct CommandResult {
    int status = -1;     // the exit status, -1 when the program did not run or end normally
    std::string output;  // what it wrote to standard output
};

// Runs a shell command; its standard error is appended to `errorLog` ("" to keep it).
CommandResult runCommand(const std::string& command, const std::string& errorLog = "");

// The text in single quotes, safe as one shell word.
std::string shellWord(const std::string& text);

bool toolInstalled(const std::string& program);

// Windows console output with its line ends made "\n".
std::string withoutCarriageReturns(std::string text);

// Whether the environment asks for the Windows checks to run (QUELFI_REQUIRE_WINDOWS=1), so that
// a missing build or tool is a failure rather than a reason to skip.
bool windowsChecksRequired();

std::string win32Build();  // the 32-bit build directory
std::string win64Build();  // the 64-bit build directory (the one Wine runs)

// What a Windows program's or DLL's headers say, as listed by objdump -p: the names it exports
// and the DLLs it imports from.
struct DllTables {
    std::set<std::string> exports;
    std::set<std::string> imports;
};
DllTables readTables(const std::string& listing);

}  // namespace quelfi::test

// Skips the test when `condition` does not hold, or fails it when the checks are required.
#define QUELFI_NEED(condition, reason)                   \
    do {                                                 \
        if (!(condition)) {                              \
            if (::quelfi::test::windowsChecksRequired()) \
                FAIL() << (reason);                      \
            else                                         \
                GTEST_SKIP() << (reason);                \
        }                                                \
    } while (0)
