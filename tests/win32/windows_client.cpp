// A Windows point-of-sale program's use of the DLL: loaded by name at run time, each export
// found with GetProcAddress, the calls run in order, the DLL released (its unload step). With
// "exit-open" it ends as most programs do: the port left open, the process exiting with the DLL
// still loaded (its process-exit step). "download" downloads the journal instead of the sale.
// Usage: quelfi_client [DLL [exit-open|download]]   (exit status: the number of calls gone wrong)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "pos_calls.h"

int main(int argc, char** argv) {
    const char* dll = argc > 1 ? argv[1] : "QuelFI32.dll";
    const bool exitOpen = argc > 2 && std::strcmp(argv[2], "exit-open") == 0;
    const bool download = argc > 2 && std::strcmp(argv[2], "download") == 0;
    HMODULE library = ::LoadLibraryA(dll);
    if (!library) {
        std::fprintf(stderr, "cannot load %s: error %lu\n", dll, ::GetLastError());
        return 100;
    }
    const int failures = quelfi::client::runCalls(
        [library](const std::string& name) {
            return reinterpret_cast<void*>(::GetProcAddress(library, name.c_str()));
        },
        !exitOpen, download ? quelfi::client::downloadCalls() : quelfi::client::posCalls());
    if (!exitOpen) ::FreeLibrary(library);
    return failures;
}
