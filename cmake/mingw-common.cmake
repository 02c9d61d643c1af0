# Shared by the MinGW-w64 toolchain files, which set QUELFI_MINGW_TRIPLE first. The "-posix"
# compilers carry the full C++ thread library; the C++ runtime and the thread library are linked
# in, so the DLL needs nothing beyond the Windows system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${QUELFI_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUELFI_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUELFI_MINGW_TRIPLE}-windres)
set(CMAKE_DLLTOOL ${QUELFI_MINGW_TRIPLE}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${QUELFI_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
