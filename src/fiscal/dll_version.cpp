// The library's own version, as applications ask for it to report or check the driver in use.
#include <algorithm>
#include <cstring>
#include <string>

#include "fiscal/queries.h"
#include "platform/platform.h"

namespace quelfi::fiscal {

namespace {
constexpr std::size_t kVersionWidth = 9;  // characters kept; the tenth byte ends the text
}  // namespace

// No log lines. The platform reads the version: the build's own number here, the DLL's version
// resource on Windows.
int dllVersion(char* version) {
    if (!version) return -1;
    version[0] = '\0';
    const std::string text = platform::libraryVersion();
    if (text.empty()) return -1;
    std::memset(version, 0, kVersionWidth + 1);
    std::memcpy(version, text.data(), std::min(text.size(), kVersionWidth));
    return 1;
}

}  // namespace quelfi::fiscal
