#include "win32/windows_builds.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace quelfi::test {

CommandResult runCommand(const std::string& command, const std::string& errorLog) {
    const std::string full = errorLog.empty() ? command : command + " 2>>" + shellWord(errorLog);
    CommandResult result;
    FILE* pipe = ::popen(full.c_str(), "r");
    if (!pipe) return result;
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) result.output.append(chunk, n);
    const int status = ::pclose(pipe);
    if (status != -1 && WIFEXITED(status)) result.status = WEXITSTATUS(status);
    return result;
}

std::string shellWord(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

bool toolInstalled(const std::string& program) {
    return runCommand("command -v " + shellWord(program) + " >/dev/null").status == 0;
}

std::string withoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

bool windowsChecksRequired() {
    const char* value = std::getenv("QUELFI_REQUIRE_WINDOWS");
    return value && std::string(value) == "1";
}

std::string win32Build() {
    return QUELFI_WIN32_DIR;
}
std::string win64Build() {
    return QUELFI_WIN64_DIR;
}

DllTables readTables(const std::string& listing) {
    DllTables tables;
    std::istringstream lines(listing);
    std::string line;
    bool inNames = false;
    while (std::getline(lines, line)) {
        if (line.find("[Ordinal/Name Pointer] Table") != std::string::npos) {
            inNames = true;
            continue;
        }
        if (inNames && line.find_first_not_of(" \t") == std::string::npos) inNames = false;
        char name[512];
        if (inNames && std::sscanf(line.c_str(), " [ %*d] %511s", name) == 1)
            tables.exports.insert(name);
        if (const auto at = line.find("DLL Name: "); at != std::string::npos)
            tables.imports.insert(line.substr(at + std::strlen("DLL Name: ")));
    }
    return tables;
}

}  // namespace quelfi::test
