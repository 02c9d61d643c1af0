// Where things are on Windows: the system directory. Library paths are already Windows paths.
#include "platform/platform.h"
#include "platform/win32/windows_api.h"

namespace quelfi::platform {

std::string systemDirectory() {
    char buffer[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    return std::string(buffer, length);
}

std::string nativePath(const std::string& libraryPath) {
    return libraryPath;
}

}  // namespace quelfi::platform
