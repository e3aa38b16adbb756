# Installation of the Qt parts: the backend library Tolvex::Qt with its headers, its own export
# set (TolvexQtTargets, loaded by find_package(Tolvex COMPONENTS Qt) through TolvexQt.cmake), and
# tolvex-workbench with its desktop entry and icons. Components: qt (run time), qt-dev (headers
# and the CMake files).
# The form widgets (Tolvex::QtWidgets, headers in include/tolvex/qt/widgets/) install beside it,
# in the same export set, and the designer plugin into Qt's designer plugin folder (component
# designer).
set(TOLVEX_QT_HEADER_FOLDERS_tolvex_qt qt)
set(TOLVEX_QT_HEADER_FOLDERS_tolvex_qt_widgets qt/widgets)
foreach(library IN ITEMS tolvex_qt tolvex_qt_widgets)
  file(GLOB headers CONFIGURE_DEPENDS ${TOLVEX_BUILD_INCLUDE_DIR}/tolvex/${TOLVEX_QT_HEADER_FOLDERS_${library}}/*.h)
  list(FILTER headers EXCLUDE REGEX "_internal\\.h$")
  target_sources(${library} PUBLIC FILE_SET HEADERS BASE_DIRS ${TOLVEX_BUILD_INCLUDE_DIR} FILES ${headers})
  # moc already sees them under their source path; a second path would define everything twice.
  set_source_files_properties(${headers} DIRECTORY ${PROJECT_SOURCE_DIR}/qt PROPERTIES SKIP_AUTOMOC ON)
  target_compile_features(${library} PUBLIC cxx_std_20)
  set_target_properties(${library} PROPERTIES
    VERSION ${PROJECT_VERSION} SOVERSION ${TOLVEX_SOVERSION} INSTALL_RPATH "$ORIGIN")
endforeach()

install(TARGETS tolvex_qt tolvex_qt_widgets EXPORT TolvexQtTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT qt NAMELINK_COMPONENT qt-dev
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT qt-dev
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT qt-dev
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT TolvexQtTargets NAMESPACE Tolvex:: DESTINATION ${TOLVEX_CMAKE_DIR} COMPONENT qt-dev)
install(FILES cmake/TolvexQt.cmake DESTINATION ${TOLVEX_CMAKE_DIR} COMPONENT qt-dev)

if(TARGET tolvex_designer)
  # Qt's own plugin folder below the prefix (lib/x86_64-linux-gnu/qt6/plugins/designer under /usr),
  # so that the designer finds the plugin of an installed package without QT_PLUGIN_PATH.
  set(TOLVEX_DESIGNER_PLUGIN_DIR ${QT6_INSTALL_PLUGINS}/designer)
  file(RELATIVE_PATH TOLVEX_PLUGIN_TO_LIBDIR /${TOLVEX_DESIGNER_PLUGIN_DIR} /${CMAKE_INSTALL_LIBDIR})
  set_target_properties(tolvex_designer PROPERTIES INSTALL_RPATH "$ORIGIN/${TOLVEX_PLUGIN_TO_LIBDIR}")
  install(TARGETS tolvex_designer LIBRARY DESTINATION ${TOLVEX_DESIGNER_PLUGIN_DIR} COMPONENT designer)
endif()

set_target_properties(tolvex-workbench PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
install(TARGETS tolvex-workbench RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT qt)
install(FILES tools/workbench/tolvex-workbench.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications COMPONENT qt)
foreach(size IN ITEMS 48 256)
  install(FILES tools/workbench/icons/tolvex-workbench-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
    RENAME tolvex-workbench.png COMPONENT qt)
endforeach()
