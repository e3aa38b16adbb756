# Installation of the Qt parts: the backend library Tolvex::Qt with its headers, its own export
# set (TolvexQtTargets, loaded by find_package(Tolvex COMPONENTS Qt) through TolvexQt.cmake), and
# tolvex-workbench with its desktop entry and icons. Components: qt (run time), qt-dev (headers
# and the CMake files).
file(GLOB TOLVEX_QT_HEADERS CONFIGURE_DEPENDS ${TOLVEX_BUILD_INCLUDE_DIR}/tolvex/qt/*.h)
list(FILTER TOLVEX_QT_HEADERS EXCLUDE REGEX "_internal\\.h$")
target_sources(tolvex_qt PUBLIC FILE_SET HEADERS BASE_DIRS ${TOLVEX_BUILD_INCLUDE_DIR} FILES ${TOLVEX_QT_HEADERS})
target_compile_features(tolvex_qt PUBLIC cxx_std_20)
set_target_properties(tolvex_qt PROPERTIES
  VERSION ${PROJECT_VERSION} SOVERSION ${TOLVEX_SOVERSION} INSTALL_RPATH "$ORIGIN")

install(TARGETS tolvex_qt EXPORT TolvexQtTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT qt NAMELINK_COMPONENT qt-dev
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT qt-dev
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT qt-dev
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT TolvexQtTargets NAMESPACE Tolvex:: DESTINATION ${TOLVEX_CMAKE_DIR} COMPONENT qt-dev)
install(FILES cmake/TolvexQt.cmake DESTINATION ${TOLVEX_CMAKE_DIR} COMPONENT qt-dev)

set_target_properties(tolvex-workbench PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
install(TARGETS tolvex-workbench RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT qt)
install(FILES tools/workbench/tolvex-workbench.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications COMPONENT qt)
foreach(size IN ITEMS 48 256)
  install(FILES tools/workbench/icons/tolvex-workbench-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
    RENAME tolvex-workbench.png COMPONENT qt)
endforeach()
