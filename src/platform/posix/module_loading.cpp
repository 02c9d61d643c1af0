// Run-time modules on POSIX: "QuelMFD.dll" is libquelmfd.so, opened by its full path from the
// directories the library trusts, so the loader's own search (which a relative LD_LIBRARY_PATH
// entry can point at the current directory) never takes part.
#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/platform.h"

namespace quelfi::platform {
namespace {

class PosixModule final : public LoadedModule {
  public:
    explicit PosixModule(void* handle) : handle_(handle) {}
    ~PosixModule() override { ::dlclose(handle_); }
    ModuleEntry entry(const std::string& name) override {
        return reinterpret_cast<ModuleEntry>(::dlsym(handle_, name.c_str()));
    }

  private:
    void* handle_;
};

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// "QuelMFD.dll" → "libquelmfd.so".
std::string posixName(const std::string& windowsName) {
    std::string base = windowsName.substr(0, windowsName.rfind('.'));
    std::transform(base.begin(), base.end(), base.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return "lib" + base + ".so";
}

std::string programDirectory() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? directoryOf(std::string(path, static_cast<std::size_t>(n))) : std::string();
}

std::string libraryDirectory() {
    Dl_info info{};
    static const int anchor = 0;
    if (::dladdr(&anchor, &info) == 0 || !info.dli_fname) return {};
    return directoryOf(info.dli_fname);
}

#ifndef QUELFI_LIBDIR_FROM_BINDIR
#define QUELFI_LIBDIR_FROM_BINDIR "../lib"
#endif

// A program that carries the library inside it (the quelfi tool) is installed apart from the
// shared library, and the module is installed beside that: where the installation put it
// relative to the program. A program that loads the shared library finds the module beside it.
std::string installedLibraryDirectory(const std::string& library, const std::string& program) {
    if (library.empty() || library != program) return {};
    return program + "/" QUELFI_LIBDIR_FROM_BINDIR;
}

}  // namespace

std::unique_ptr<LoadedModule> Platform::loadModule(const std::string& windowsName) {
    const std::string file = posixName(windowsName);
    const std::string library = libraryDirectory();
    const std::string program = programDirectory();
    for (const std::string& dir :
         {library, program, systemDirectory(), installedLibraryDirectory(library, program)}) {
        // Only absolute directories: a relative one would be the current directory's.
        if (dir.empty() || dir.front() != '/') continue;
        const std::string path = dir + "/" + file;
        if (::access(path.c_str(), R_OK) != 0) continue;
        if (void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL))
            return std::make_unique<PosixModule>(handle);
    }
    return nullptr;
}

}  // namespace quelfi::platform
