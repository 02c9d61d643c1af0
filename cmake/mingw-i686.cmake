# Cross build of the 32-bit Windows DLL, the one point-of-sale programs load.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUELFI_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
