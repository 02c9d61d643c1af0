#include "support/developer_tools.h"

#include <unistd.h>

#include <cstdlib>
#include <sstream>

namespace quelfi::test {

std::string programPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return "";
}

bool developerToolsRequired() {
    const char* value = std::getenv("QUELFI_REQUIRE_TOOLS");
    return value && std::string(value) == "1";
}

}  // namespace quelfi::test
