// A Windows point-of-sale program's use of the DLL: loaded by name at run time, each export
// found with GetProcAddress, the calls run in order, then the DLL left as the ending says
// (pos_calls.h): released by default (its unload step), or held until the process exits.
// Usage: quelfi_client [DLL [ENDING]]   (exit status: the number of calls that went wrong)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>

#include "pos_calls.h"

int main(int argc, char** argv) {
    const char* dll = argc > 1 ? argv[1] : "QuelFI32.dll";
    HMODULE module = nullptr;
    const quelfi::client::Library library{
        [&] {
            module = ::LoadLibraryA(dll);
            if (!module) std::fprintf(stderr, "cannot load %s: error %lu\n", dll, ::GetLastError());
            return module != nullptr;
        },
        [&] { ::FreeLibrary(module); },
        [&](const std::string& name) {
            return reinterpret_cast<void*>(::GetProcAddress(module, name.c_str()));
        }};
    return quelfi::client::runClient(library, argc > 2 ? argv[2] : "unload");
}
