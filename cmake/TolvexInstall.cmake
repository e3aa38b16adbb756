# Installation: the libraries with their public headers, the tolvex tool, exported CMake targets
# (find_package(Tolvex) gives Tolvex::Tolvex_c4 and friends), a pkg-config file, and CPack's
# Debian package of all of it.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TOLVEX_LIBRARIES tolvex_framework Tolvex_c4)
set(TOLVEX_HEADER_FOLDERS_tolvex_framework framework)
set(TOLVEX_HEADER_FOLDERS_Tolvex_c4 value intrinsics numberbase model interpreter controls)
if(TARGET Tolvex_design_c4)
  list(APPEND TOLVEX_LIBRARIES Tolvex_design_c4)
  set(TOLVEX_HEADER_FOLDERS_Tolvex_design_c4 design)
endif()

# Before 1.0 a minor version may change the interface, so the library's soname carries it too.
if(PROJECT_VERSION_MAJOR EQUAL 0)
  set(TOLVEX_SOVERSION 0.${PROJECT_VERSION_MINOR})
else()
  set(TOLVEX_SOVERSION ${PROJECT_VERSION_MAJOR})
endif()

# Headers keep their layer folder below include/tolvex: #include <tolvex/interpreter/mathinterpreter.h>.
# Headers named *_internal.h are the library's own and stay out of the installed tree.
foreach(library IN LISTS TOLVEX_LIBRARIES)
  foreach(folder IN LISTS TOLVEX_HEADER_FOLDERS_${library})
    # Listed through the build tree's include/tolvex link, so that the file set's base folder (which
    # becomes an include folder) is include/, never the source tree with its generic folder names.
    file(GLOB headers CONFIGURE_DEPENDS ${TOLVEX_BUILD_INCLUDE_DIR}/tolvex/${folder}/*.h)
    list(FILTER headers EXCLUDE REGEX "_internal\\.h$")
    if(headers)
      target_sources(${library} PUBLIC FILE_SET HEADERS BASE_DIRS ${TOLVEX_BUILD_INCLUDE_DIR} FILES ${headers})
    endif()
  endforeach()
  target_compile_features(${library} PUBLIC cxx_std_20)
  set_target_properties(${library} PROPERTIES
    VERSION ${PROJECT_VERSION} SOVERSION ${TOLVEX_SOVERSION} INSTALL_RPATH "$ORIGIN")
endforeach()
set_target_properties(tolvex PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

install(TARGETS ${TOLVEX_LIBRARIES} EXPORT TolvexTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS tolvex EXPORT TolvexTargets RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(TOLVEX_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Tolvex)
install(EXPORT TolvexTargets NAMESPACE Tolvex:: DESTINATION ${TOLVEX_CMAKE_DIR})
configure_package_config_file(cmake/TolvexConfig.cmake.in ${PROJECT_BINARY_DIR}/TolvexConfig.cmake
  INSTALL_DESTINATION ${TOLVEX_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TolvexConfigVersion.cmake COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TolvexConfig.cmake ${PROJECT_BINARY_DIR}/TolvexConfigVersion.cmake
  DESTINATION ${TOLVEX_CMAKE_DIR})

# The pkg-config file finds its prefix from where it lies, so an installed tree can be moved.
file(RELATIVE_PATH TOLVEX_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
configure_file(cmake/tolvex.pc.in ${PROJECT_BINARY_DIR}/tolvex.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tolvex.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
install(FILES LICENSE README.md CHANGELOG.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/tolvex)

if(TARGET tolvex_qt)
  include(cmake/TolvexQtInstall.cmake)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvex)
set(CPACK_PACKAGE_VENDOR Tolvex)
set(CPACK_PACKAGE_CONTACT "Tolvex developers <tolvex@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "embeddable mathematical expression interpreter for C++20")
set(CPACK_PACKAGE_DESCRIPTION
  "The Tolvex libraries, their headers, CMake and pkg-config files, and the tolvex tool with its REPL.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
include(CPack)
