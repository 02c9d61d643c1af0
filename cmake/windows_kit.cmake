# The Windows kit, a zip beside the 32-bit DLL: QuelFI32.dll and the formatter module QuelMFD.dll,
# the import libraries for MinGW (libQuelFI32.dll.a) and for Microsoft's linker (QuelFI32.lib,
# made by llvm-dlltool), the module definition, quelfi32.h, the Pascal, C# and Visual Basic
# declarations, the examples, a sample INI and README.txt on installing.
find_program(QUELFI_LLVM_DLLTOOL NAMES llvm-dlltool)
if(NOT QUELFI_LLVM_DLLTOOL)
    message(STATUS "llvm-dlltool not found: no Windows kit (QUELFI_WINDOWS=1 scripts/setup)")
    return()
endif()

set(QUELFI_KIT_NAME QuelFI32-${PROJECT_VERSION}-win32)
set(QUELFI_KIT_DIR ${CMAKE_BINARY_DIR}/kit/${QUELFI_KIT_NAME})
set(QUELFI_KIT_ZIP ${CMAKE_BINARY_DIR}/${QUELFI_KIT_NAME}.zip)
set(QUELFI_MSVC_DEF ${QUELFI_GENERATED}/QuelFI32-msvc.def)
set(QUELFI_MSVC_LIBRARY ${CMAKE_BINARY_DIR}/QuelFI32.lib)
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/README.txt ${QUELFI_GENERATED}/README.txt
               @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/examples/QuelFI32.ini ${QUELFI_GENERATED}/QuelFI32.ini
               NEWLINE_STYLE CRLF)

add_custom_command(
    OUTPUT ${QUELFI_MSVC_LIBRARY}
    COMMAND ${QUELFI_GENSURFACE} msvcdef ${QUELFI_MSVC_DEF}
    COMMAND ${QUELFI_LLVM_DLLTOOL} -m i386 -k -d ${QUELFI_MSVC_DEF} -l ${QUELFI_MSVC_LIBRARY}
    COMMAND ${QUELFI_GENSURFACE} msvcnames ${QUELFI_MSVC_LIBRARY}
    DEPENDS ${QUELFI_GENSURFACE} ${QUELFI_SURFACE_FILES}
    COMMENT "Making the import library for Microsoft's linker")

set(QUELFI_KIT_FILES
    $<TARGET_FILE:quelfi32> ${QUELFI_IMPORT_LIBRARY} ${QUELFI_MSVC_LIBRARY} ${QUELFI_DEF}
    ${QUELFI_GENERATED}/include/quelfi32.h ${QUELFI_DECLARATIONS} ${QUELFI_GENERATED}/README.txt
    ${QUELFI_GENERATED}/QuelFI32.ini ${CMAKE_SOURCE_DIR}/examples/sale.c
    ${CMAKE_SOURCE_DIR}/examples/sale.pas ${CMAKE_SOURCE_DIR}/examples/Sale.cs)
if(TARGET quelmfd)
    list(APPEND QUELFI_KIT_FILES $<TARGET_FILE:quelmfd>)
endif()
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/kit)  # the packing's working directory
add_custom_command(
    OUTPUT ${QUELFI_KIT_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${QUELFI_KIT_DIR}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUELFI_KIT_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${QUELFI_KIT_FILES} ${QUELFI_KIT_DIR}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${QUELFI_KIT_ZIP} --format=zip ${QUELFI_KIT_NAME}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/kit
    DEPENDS quelfi32 $<TARGET_NAME_IF_EXISTS:quelmfd> ${QUELFI_MSVC_LIBRARY} ${QUELFI_DECLARATIONS} ${QUELFI_GENERATED}/README.txt
            ${QUELFI_GENERATED}/QuelFI32.ini ${CMAKE_SOURCE_DIR}/examples/sale.c
            ${CMAKE_SOURCE_DIR}/examples/sale.pas ${CMAKE_SOURCE_DIR}/examples/Sale.cs
    COMMENT "Packing ${QUELFI_KIT_NAME}.zip")
add_custom_target(quelfi_windows_kit ALL DEPENDS ${QUELFI_KIT_ZIP})
