// The DLL's entry point, the one place where the library's load and unload steps run on
// Windows (the compiler's constructor sections are not used there, so each step runs once).
// Linked into the DLL only; the static library has no entry point.
#include "exports/boundary.h"
#include "platform/win32/user_library.h"
#include "platform/win32/windows_api.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    namespace win32 = quelfi::platform::win32;
    if (reason == DLL_PROCESS_ATTACH) {
        try {
            quelfi::exports::libraryLoad();
        } catch (...) {
            // The configuration keeps its defaults; the first call reports what is missing.
        }
        win32::loadUserLibrary();
    } else if (reason == DLL_PROCESS_DETACH) {
        // A non-null `reserved` means the process is exiting rather than unloading the DLL.
        win32::releaseUserLibrary(reserved != nullptr);
        try {
            quelfi::exports::libraryUnload();
        } catch (...) {
        }
    }
    return TRUE;
}
