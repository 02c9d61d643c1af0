// Where things are on a POSIX system: the system directory, drive letters and '\' separators.
#include <cctype>
#include <cstdlib>

#include "platform/platform.h"

namespace quelfi::platform {

namespace {
std::string environment(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}
}  // namespace

std::string systemDirectory() {
    std::string dir = environment("QUELFI_SYSTEM_DIR");
    if (dir.empty()) dir = "/etc";
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

std::string nativePath(const std::string& libraryPath) {
    std::string path = libraryPath;
    // "c:\x" names a file on a drive: the drive becomes a directory of this system.
    if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') {
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
        std::string root = environment((std::string("QUELFI_DRIVE_") + letter).c_str());
        if (root.empty()) root = systemDirectory();
        std::string rest = path.substr(2);
        if (!rest.empty() && rest.front() != '\\' && rest.front() != '/') rest.insert(0, "/");
        path = root + rest;
    }
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

}  // namespace quelfi::platform
