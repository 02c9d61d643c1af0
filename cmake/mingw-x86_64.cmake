# Cross build of a 64-bit DLL from the same code, for running the Windows checks under a Wine
# that runs 64-bit programs only.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUELFI_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
