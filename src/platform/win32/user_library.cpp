#include "platform/win32/user_library.h"

#include "platform/win32/windows_api.h"

namespace quelfi::platform::win32 {
namespace {

using BlockInputFunction = BOOL(WINAPI*)(BOOL);

HMODULE userLibrary = nullptr;
BlockInputFunction blockInputFunction = nullptr;

}  // namespace

void loadUserLibrary() {
    if (!userLibrary) userLibrary = ::LoadLibraryA("user32.dll");
}

bool blockInput(bool block) {
    if (!blockInputFunction && userLibrary) {
        // Through void(*)(): the one function type any other converts to without a warning.
        blockInputFunction = reinterpret_cast<BlockInputFunction>(
            reinterpret_cast<void (*)()>(::GetProcAddress(userLibrary, "BlockInput")));
    }
    if (!blockInputFunction) return false;
    // Refused (another desktop, too few rights): the input stays as it is, which is all the
    // caller could do about it either.
    blockInputFunction(block ? TRUE : FALSE);
    return true;
}

void releaseUserLibrary(bool processEnding) {
    if (blockInputFunction) blockInputFunction(FALSE);
    blockInputFunction = nullptr;
    // During process exit, unloading another library from a DLL's detach step is unsafe.
    if (userLibrary && !processEnding) ::FreeLibrary(userLibrary);
    userLibrary = nullptr;
}

}  // namespace quelfi::platform::win32
