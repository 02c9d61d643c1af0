// The Linux twin of the Windows client: the same calls through dlopen and dlsym, where a
// decorated DLL name "_Name@N" is the plain "Name".
// Usage: quelfi_pos_client LIBRARY   (exit status: the number of calls that went wrong)
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
    if (argc != 2) {
        std::fprintf(stderr, "usage: quelfi_pos_client LIBRARY\n");
        return 100;
    }
    void* library = ::dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "cannot load %s: %s\n", argv[1], ::dlerror());
        return 100;
    }
    const int failures = quelfi::client::runCalls([library](const std::string& name) {
        return ::dlsym(library, sharedLibraryName(name).c_str());
    });
    ::dlclose(library);
    return failures;
}
