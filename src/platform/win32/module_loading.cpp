// Run-time modules on Windows, loaded by full path from the directories the library trusts, never
// through the system's search, which includes the current directory.
#include <vector>

#include "platform/platform.h"
#include "platform/win32/windows_api.h"

namespace quelfi::platform {
namespace {

class WinModule final : public LoadedModule {
  public:
    explicit WinModule(HMODULE handle) : handle_(handle) {}
    ~WinModule() override { ::FreeLibrary(handle_); }
    ModuleEntry entry(const std::string& name) override {
        return reinterpret_cast<ModuleEntry>(
            reinterpret_cast<void (*)()>(::GetProcAddress(handle_, name.c_str())));
    }

  private:
    HMODULE handle_;
};

std::string directoryOf(HMODULE module) {
    char buffer[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(module, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    const std::string path(buffer, length);
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

HMODULE thisLibrary() {
    static const int anchor = 0;
    HMODULE module = nullptr;
    ::GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&anchor), &module);
    return module;
}

}  // namespace

std::unique_ptr<LoadedModule> Platform::loadModule(const std::string& windowsName) {
    const std::vector<std::string> dirs = {directoryOf(thisLibrary()), directoryOf(nullptr),
                                           systemDirectory()};
    for (const std::string& dir : dirs) {
        if (dir.empty()) continue;
        const std::string path = dir + "\\" + windowsName;
        if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        // Its own dependencies are looked for beside it.
        if (HMODULE handle = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH))
            return std::make_unique<WinModule>(handle);
    }
    return nullptr;
}

}  // namespace quelfi::platform
