// The system's user-interface library, loaded with the DLL and held for the input-blocking
// function, which is looked up the first time a card-payment wait needs it.
#pragma once

namespace quelfi::platform::win32 {

void loadUserLibrary();

// Unblocks input when the blocking function was ever looked up, then lets the library go.
// `processEnding`: the whole process is exiting, and the system reclaims the library itself.
void releaseUserLibrary(bool processEnding);

// Blocks (true) or unblocks keyboard and mouse input. False when the system has no such function.
bool blockInput(bool block);

}  // namespace quelfi::platform::win32
