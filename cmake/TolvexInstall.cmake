# Installation: the libraries with their public headers, the tolvex tool, exported CMake targets
# (find_package(Tolvex) gives Tolvex::Tolvex and friends), a pkg-config file, the man page, and
# CPack's Debian packages, one per install component (cmake/TolvexPackage.cmake).
#
# Components: runtime (the shared libraries), dev (headers, static or link-time files, CMake and
# pkg-config files), tool (tolvex and its man page); the Qt parts install as qt and qt-dev.

# Debian's multiarch folder (lib/x86_64-linux-gnu) wherever the compiler has one, so that a
# package built from this tree puts the libraries where the system looks for them.
# A libdir given as anything but the plain default "lib" is kept.
if(CMAKE_LIBRARY_ARCHITECTURE AND (NOT DEFINED CMAKE_INSTALL_LIBDIR OR CMAKE_INSTALL_LIBDIR STREQUAL "lib"))
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE} CACHE PATH "Object code libraries" FORCE)
endif()
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

# Generated headers live in the build tree, never in the source tree that include/tolvex links to.
set(TOLVEX_GENERATED_INCLUDE_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(cmake/version.h.in ${TOLVEX_GENERATED_INCLUDE_DIR}/tolvex/version.h @ONLY)

# Symbols are hidden unless a public header declares them: every installed header wraps its
# declarations in TOLVEX_BEGIN_API ... TOLVEX_END_API, so whatever a host can see is exported
# and everything else (helpers of the .cpp files, the *_internal.h headers) stays inside the
# library. TOLVEX_API marks a single declaration the same way.
include(GenerateExportHeader)
set(TOLVEX_EXPORT_EXTRA [=[
// Everything declared between these two is part of the interface.
#if defined(TOLVEX_STATIC_DEFINE) || !defined(__GNUC__)
#  define TOLVEX_BEGIN_API
#  define TOLVEX_END_API
#else
#  define TOLVEX_BEGIN_API _Pragma("GCC visibility push(default)")
#  define TOLVEX_END_API _Pragma("GCC visibility pop")
#endif]=])
generate_export_header(tolvex_framework BASE_NAME TOLVEX EXPORT_MACRO_NAME TOLVEX_API
  EXPORT_FILE_NAME ${TOLVEX_GENERATED_INCLUDE_DIR}/tolvex/export.h CUSTOM_CONTENT_FROM_VARIABLE TOLVEX_EXPORT_EXTRA)
target_sources(tolvex_framework PUBLIC FILE_SET generated TYPE HEADERS BASE_DIRS ${TOLVEX_GENERATED_INCLUDE_DIR}
  FILES ${TOLVEX_GENERATED_INCLUDE_DIR}/tolvex/version.h ${TOLVEX_GENERATED_INCLUDE_DIR}/tolvex/export.h)

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
  # One define symbol for every library, static or shared, so that both builds compile the same
  # command lines (and share the compiler cache); on ELF exporting and importing are alike.
  set_target_properties(${library} PROPERTIES
    VERSION ${PROJECT_VERSION} SOVERSION ${TOLVEX_SOVERSION} INSTALL_RPATH "$ORIGIN"
    CXX_VISIBILITY_PRESET hidden DEFINE_SYMBOL TOLVEX_BUILDING)
endforeach()
set_target_properties(Tolvex_c4 PROPERTIES EXPORT_NAME Tolvex)

# Every installed header compiles alone in a host that builds with strict warnings.
if(TOLVEX_TESTS)
  set(installed_folders)
  foreach(library IN LISTS TOLVEX_LIBRARIES)
    list(APPEND installed_folders ${TOLVEX_HEADER_FOLDERS_${library}})
  endforeach()
  add_test(NAME installed_headers_compile_alone
    COMMAND sh ${PROJECT_SOURCE_DIR}/tests/headers/compile_alone.sh ${TOLVEX_BUILD_INCLUDE_DIR} ${TOLVEX_GENERATED_INCLUDE_DIR}
      ${installed_folders})
  set_tests_properties(installed_headers_compile_alone PROPERTIES TIMEOUT 600)
endif()

install(TARGETS ${TOLVEX_LIBRARIES} EXPORT TolvexTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev
  FILE_SET generated DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(TOLVEX_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Tolvex)
install(EXPORT TolvexTargets NAMESPACE Tolvex:: DESTINATION ${TOLVEX_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(cmake/TolvexConfig.cmake.in ${PROJECT_BINARY_DIR}/TolvexConfig.cmake
  INSTALL_DESTINATION ${TOLVEX_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TolvexConfigVersion.cmake COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/TolvexConfig.cmake ${PROJECT_BINARY_DIR}/TolvexConfigVersion.cmake
  DESTINATION ${TOLVEX_CMAKE_DIR} COMPONENT dev)

# The pkg-config file finds its prefix from where it lies, so an installed tree can be moved.
file(RELATIVE_PATH TOLVEX_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
configure_file(cmake/tolvex.pc.in ${PROJECT_BINARY_DIR}/tolvex.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tolvex.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

if(TARGET tolvex)
  set_target_properties(tolvex PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  install(TARGETS tolvex EXPORT TolvexTargets RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)
  # Man pages are installed compressed, as Debian keeps them; gzip -n leaves no time stamp.
  set(TOLVEX_MAN_PAGE ${PROJECT_BINARY_DIR}/tolvex.1.gz)
  add_custom_command(OUTPUT ${TOLVEX_MAN_PAGE}
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh ${PROJECT_SOURCE_DIR}/tools/tolvex/tolvex.1 ${TOLVEX_MAN_PAGE}
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/tolvex/tolvex.1 VERBATIM)
  add_custom_target(tolvex_man ALL DEPENDS ${TOLVEX_MAN_PAGE})
  install(FILES ${TOLVEX_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tool)
endif()

if(TARGET tolvex_qt)
  include(cmake/TolvexQtInstall.cmake)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/TolvexPackage.cmake)
