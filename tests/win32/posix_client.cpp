// The Linux twin of the Windows client: the same calls through dlopen and dlsym, where a
// decorated DLL name "_Name@N" is the plain "Name".
// Usage: quelfi_pos_client LIBRARY [ENDING]   (ENDING as in pos_calls.h, "unload" by default;
// exit status: the number of calls that went wrong)
#include <dlfcn.h>

#include <cstdio>

#include "pos_calls.h"

namespace {

std::string sharedLibraryName(const std::string& dllName) {
    const auto at = dllName.rfind('@');
    if (dllName.size() > 1 && dllName.front() == '_' && at != std::string::npos)
        return dllName.substr(1, at - 1);
    return dllName;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: quelfi_pos_client LIBRARY [ENDING]\n");
        return 100;
    }
    void* handle = nullptr;
    const quelfi::client::Library library{
        [&] {
            handle = ::dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
            if (!handle) std::fprintf(stderr, "cannot load %s: %s\n", argv[1], ::dlerror());
            return handle != nullptr;
        },
        [&] { ::dlclose(handle); },
        [&](const std::string& name) { return ::dlsym(handle, sharedLibraryName(name).c_str()); }};
    return quelfi::client::runClient(library, argc == 3 ? argv[2] : "unload");
}
