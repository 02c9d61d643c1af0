// A Windows point-of-sale program's use of the DLL: loaded by name at run time, each export
// found with GetProcAddress, the calls run in order, then the ending asked for (pos_calls.h):
// by default the DLL is released (its unload step); "exit-open" ends the process with the port
// open, the DLL's process-exit step.
// Usage: quelfi_client [DLL [ENDING]]   (exit status: the number of calls that went wrong)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>

#include "pos_calls.h"

namespace {

class Dll : public quelfi::client::Library {
  public:
    explicit Dll(std::string name) : name_(std::move(name)) {}

    bool load() override {
        module_ = ::LoadLibraryA(name_.c_str());
        if (!module_)
            std::fprintf(stderr, "cannot load %s: error %lu\n", name_.c_str(), ::GetLastError());
        return module_ != nullptr;
    }
    void unload() override {
        ::FreeLibrary(module_);
        module_ = nullptr;
    }
    void* find(const std::string& dllName) override {
        return reinterpret_cast<void*>(::GetProcAddress(module_, dllName.c_str()));
    }

  private:
    std::string name_;
    HMODULE module_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    const auto ending =
        argc == 3 ? quelfi::client::endingNamed(argv[2]) : quelfi::client::Ending::Unload;
    if (argc > 3 || !ending) {
        std::fprintf(stderr, "usage: quelfi_client [DLL [unload|exit-closed|exit-open|reload]]\n");
        return 100;
    }
    Dll library(argc > 1 ? argv[1] : "QuelFI32.dll");
    return quelfi::client::runClient(library, *ending);
}
