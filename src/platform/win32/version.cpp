// The library's version as its own version resource states it, so that the file's properties
// and the version the library reports can never disagree.
#include <cstdio>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/windows_api.h"

#ifndef QUELFI_VERSION_TEXT
#define QUELFI_VERSION_TEXT "1,0,0,0"
#endif

namespace quelfi::platform {
namespace {

// Any object of this module identifies it: the DLL when the library is one, else the program.
const char kModuleMark = 0;

std::string moduleFileName() {
    HMODULE self = nullptr;
    if (!::GetModuleHandleExA(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            &kModuleMark, &self))
        return std::string();
    char name[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(self, name, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    return std::string(name, length);
}

}  // namespace

std::string libraryVersion() {
    const std::string file = moduleFileName();
    DWORD ignored = 0;
    const DWORD size = file.empty() ? 0 : ::GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0) return QUELFI_VERSION_TEXT;  // a module built without the resource
    std::vector<char> info(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!::GetFileVersionInfoA(file.c_str(), 0, size, info.data()) ||
        !::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        fixed == nullptr || length < sizeof *fixed)
        return QUELFI_VERSION_TEXT;
    char text[48];
    std::snprintf(text, sizeof text, "%u,%u,%u,%u", unsigned{HIWORD(fixed->dwFileVersionMS)},
                  unsigned{LOWORD(fixed->dwFileVersionMS)},
                  unsigned{HIWORD(fixed->dwFileVersionLS)},
                  unsigned{LOWORD(fixed->dwFileVersionLS)});
    return text;
}

}  // namespace quelfi::platform
