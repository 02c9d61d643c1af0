# Installation on Linux under the GNU directories, and the Debian package made from it
# (cpack -G DEB): the shared library with its soname and the formatter module beside it,
# quelfi32.h, the quelfi tool, the pkg-config file, the CMake package (find_package(QuelFI32)
# gives QuelFI32::quelfi32), the language declarations and examples, and the network driver's
# systemd unit, installed disabled.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set_target_properties(quelfi32 PROPERTIES
    VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}
    SOVERSION ${PROJECT_VERSION_MAJOR})
target_include_directories(quelfi32 INTERFACE
    $<BUILD_INTERFACE:${QUELFI_GENERATED}/include> $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

install(TARGETS quelfi32 EXPORT QuelFI32Targets LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
# The formatter module goes beside the library, where the library looks for it first; the quelfi
# tool, which carries the library inside it, finds it from the program's directory.
install(TARGETS quelmfd LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
file(RELATIVE_PATH QUELFI_LIBDIR_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
set_property(SOURCE src/platform/posix/module_loading.cpp APPEND PROPERTY COMPILE_DEFINITIONS
             QUELFI_LIBDIR_FROM_BINDIR="${QUELFI_LIBDIR_FROM_BINDIR}")
install(FILES ${QUELFI_GENERATED}/include/quelfi32.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(TARGET quelfi)
    install(TARGETS quelfi RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(QUELFI_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/QuelFI32)
install(EXPORT QuelFI32Targets NAMESPACE QuelFI32:: DESTINATION ${QUELFI_CMAKE_DIR})
configure_package_config_file(packaging/QuelFI32Config.cmake.in
    ${CMAKE_BINARY_DIR}/packaging/QuelFI32Config.cmake INSTALL_DESTINATION ${QUELFI_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/packaging/QuelFI32ConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/packaging/QuelFI32Config.cmake
              ${CMAKE_BINARY_DIR}/packaging/QuelFI32ConfigVersion.cmake
        DESTINATION ${QUELFI_CMAKE_DIR})

# The pkg-config file and the unit name the prefix the files are installed under, which is known
# only when installing (cmake --install --prefix, or /usr for the package).
install(CODE "
    set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
    set(bindir \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    set(CMAKE_INSTALL_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
    set(CMAKE_INSTALL_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
    set(PROJECT_VERSION \"${PROJECT_VERSION}\")
    configure_file(\"${CMAKE_SOURCE_DIR}/packaging/quelfi32.pc.in\"
                   \"${CMAKE_BINARY_DIR}/packaging/quelfi32.pc\" @ONLY)
    configure_file(\"${CMAKE_SOURCE_DIR}/packaging/quelfi-driver.service.in\"
                   \"${CMAKE_BINARY_DIR}/packaging/quelfi-driver.service\" @ONLY)
")
install(FILES ${CMAKE_BINARY_DIR}/packaging/quelfi32.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
install(FILES ${CMAKE_BINARY_DIR}/packaging/quelfi-driver.service
        DESTINATION lib/systemd/system)

install(FILES ${QUELFI_DECLARATIONS} DESTINATION ${CMAKE_INSTALL_DATADIR}/quelfi32)
install(FILES examples/sale.c examples/sale.pas examples/Sale.cs examples/CMakeLists.txt
              examples/QuelFI32.ini
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quelfi32/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quelfi32)
set(CPACK_PACKAGE_VENDOR QuelFI32)
set(CPACK_PACKAGE_CONTACT "QuelFI32 developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Driver library for Quelmar fiscal printers (ECF)")
set(CPACK_PACKAGE_DESCRIPTION "Point-of-sale programs load libquelfi32.so to run Quelmar fiscal printers. The package holds the library and its formatter module libquelmfd.so, its C header, pkg-config file and CMake package, the declarations for Pascal, C# and Visual Basic, and the quelfi tool with its virtual printer and network driver (the quelfi-driver service, installed disabled).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/packaging/debian/prerm ${CMAKE_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
