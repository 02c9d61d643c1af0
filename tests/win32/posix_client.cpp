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

class SharedLibrary : public quelfi::client::Library {
  public:
    explicit SharedLibrary(std::string path) : path_(std::move(path)) {}

    bool load() override {
        handle_ = ::dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_) std::fprintf(stderr, "cannot load %s: %s\n", path_.c_str(), ::dlerror());
        return handle_ != nullptr;
    }
    void unload() override {
        ::dlclose(handle_);
        handle_ = nullptr;
    }
    void* find(const std::string& dllName) override {
        return ::dlsym(handle_, sharedLibraryName(dllName).c_str());
    }

  private:
    std::string path_;
    void* handle_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    const auto ending =
        argc == 3 ? quelfi::client::endingNamed(argv[2]) : quelfi::client::Ending::Unload;
    if (argc < 2 || argc > 3 || !ending) {
        std::fprintf(stderr,
                     "usage: quelfi_pos_client LIBRARY [unload|exit-closed|exit-open|reload]\n");
        return 100;
    }
    SharedLibrary library(argv[1]);
    return quelfi::client::runClient(library, *ending);
}
