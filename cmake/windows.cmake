# The Windows DLL: exported names exactly as the export table gives them (module definition),
# the version resource, an import library for stdcall callers with the public header beside it,
# and the Windows programs that check it: a point-of-sale client, the platform layer's checks
# and a link of every export through the import library; the formatter module QuelMFD.dll.
enable_language(RC)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(QUELFI_WINDOWS_ARCH i686)
else()
    set(QUELFI_WINDOWS_ARCH x86_64)
endif()

set(QUELFI_DEF ${QUELFI_GENERATED}/QuelFI32.def)
set(QUELFI_IMPORT_DEF ${QUELFI_GENERATED}/QuelFI32-import.def)
set(QUELFI_IMPORT_CHECK ${QUELFI_GENERATED}/import_check.c)
add_custom_command(
    OUTPUT ${QUELFI_DEF} ${QUELFI_IMPORT_DEF} ${QUELFI_IMPORT_CHECK}
    COMMAND ${QUELFI_GENSURFACE} def ${QUELFI_WINDOWS_ARCH} ${QUELFI_DEF}
    COMMAND ${QUELFI_GENSURFACE} importdef ${QUELFI_WINDOWS_ARCH} ${QUELFI_IMPORT_DEF}
    COMMAND ${QUELFI_GENSURFACE} importcheck ${QUELFI_IMPORT_CHECK}
    DEPENDS ${QUELFI_GENSURFACE} ${QUELFI_SURFACE_FILES}
    COMMENT "Generating the module definitions from the export table")
configure_file(${CMAKE_SOURCE_DIR}/src/platform/win32/version.rc.in
               ${QUELFI_GENERATED}/version.rc @ONLY)

# gdi32: the TEF message window writes its text.
target_link_libraries(quelfi32_static PUBLIC version gdi32)
target_sources(quelfi32 PRIVATE ${QUELFI_DEF} ${QUELFI_GENERATED}/version.rc)
target_link_libraries(quelfi32 PRIVATE version gdi32)
# The import library the linker writes would bind stdcall callers to undecorated names; the
# one beside the DLL comes from dlltool instead.
set_target_properties(quelfi32 PROPERTIES
    PREFIX "" OUTPUT_NAME QuelFI32 ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/linker)
set(QUELFI_IMPORT_LIBRARY ${CMAKE_BINARY_DIR}/libQuelFI32.dll.a)
add_custom_command(TARGET quelfi32 POST_BUILD
    COMMAND ${CMAKE_DLLTOOL} -k -d ${QUELFI_IMPORT_DEF} -l ${QUELFI_IMPORT_LIBRARY}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QUELFI_GENERATED}/include/quelfi32.h
            ${CMAKE_BINARY_DIR}/quelfi32.h
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QUELFI_DEF} ${CMAKE_BINARY_DIR}/QuelFI32.def
    BYPRODUCTS ${QUELFI_IMPORT_LIBRARY})

add_executable(quelfi_import_check ${QUELFI_IMPORT_CHECK})
target_include_directories(quelfi_import_check PRIVATE ${QUELFI_GENERATED}/include)
target_link_libraries(quelfi_import_check PRIVATE ${QUELFI_IMPORT_LIBRARY})
add_dependencies(quelfi_import_check quelfi32)

set(QUELFI_CLIENT_DIR ${CMAKE_SOURCE_DIR}/tests/win32)
add_executable(quelfi_client ${QUELFI_CLIENT_DIR}/windows_client.cpp
               ${QUELFI_CLIENT_DIR}/pos_calls.cpp)
target_include_directories(quelfi_client PRIVATE ${QUELFI_GENERATED}/include)
target_compile_options(quelfi_client PRIVATE ${QUELFI_WARNINGS})
add_dependencies(quelfi_client quelfi_header quelfi32)

add_executable(quelfi_platform_checks ${QUELFI_CLIENT_DIR}/platform_checks.cpp
               ${QUELFI_CLIENT_DIR}/check_version.rc)
target_compile_options(quelfi_platform_checks PRIVATE ${QUELFI_WARNINGS})
target_link_libraries(quelfi_platform_checks PRIVATE quelfi32_static)

# The formatter module, beside the DLL that loads it.
add_subdirectory(${CMAKE_SOURCE_DIR}/quelmfd ${CMAKE_BINARY_DIR}/quelmfd)

# The kit a point-of-sale developer takes, beside the 32-bit DLL.
if(QUELFI_WINDOWS_ARCH STREQUAL i686)
    include(${CMAKE_SOURCE_DIR}/cmake/windows_kit.cmake)
endif()
