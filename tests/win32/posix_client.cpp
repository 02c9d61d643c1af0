// The Linux twin of the Windows client: the same calls through dlopen and dlsym, where a
// decorated DLL name "_Name@N" is the plain "Name". ENDING is how the program leaves the library:
// "unload" (the port closed, the library unloaded, then the exit), "exit-closed" (the exit with
// the port closed and the library loaded), "exit-open" (the exit with both open, as most programs
// end), "reload" (the library unloaded with the port open, loaded again, the port opened) or
// "download" (the journal downloaded instead of the sale, then as "unload").
// Usage: quelfi_pos_client LIBRARY [ENDING]   (exit status: the number of calls that went wrong)
#include <dlfcn.h>

#include <cstdio>

#include "pos_calls.h"
#include "quelfi32.h"

namespace {

std::string sharedLibraryName(const std::string& dllName) {
    const auto at = dllName.rfind('@');
    if (dllName.size() > 1 && dllName.front() == '_' && at != std::string::npos)
        return dllName.substr(1, at - 1);
    return dllName;
}

void* load(const char* path) {
    void* library = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!library) std::fprintf(stderr, "cannot load %s: %s\n", path, ::dlerror());
    return library;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: quelfi_pos_client LIBRARY [ENDING]\n");
        return 100;
    }
    const std::string ending = argc > 2 ? argv[2] : "unload";
    void* library = load(argv[1]);
    if (!library) return 100;
    int failures = quelfi::client::runCalls(
        [library](const std::string& name) {
            return ::dlsym(library, sharedLibraryName(name).c_str());
        },
        ending == "unload" || ending == "exit-closed" || ending == "download",
        ending == "download" ? quelfi::client::downloadCalls() : quelfi::client::posCalls());
    if (ending == "unload" || ending == "reload" || ending == "download") ::dlclose(library);
    if (ending == "reload") {
        if (!(library = load(argv[1]))) return 100;
        const auto open = reinterpret_cast<decltype(&Quelmar_FI_AbrePortaSerial)>(
            ::dlsym(library, "Quelmar_FI_AbrePortaSerial"));
        if (!open || open() != 1) ++failures;
    }
    return failures;
}
