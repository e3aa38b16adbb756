# find_package(Tolvex COMPONENTS Qt): the Qt 6 Widgets backend, Tolvex::Qt.
include(CMakeFindDependencyMacro)
find_dependency(Qt6 COMPONENTS Widgets)
include("${CMAKE_CURRENT_LIST_DIR}/TolvexQtTargets.cmake")
set(Tolvex_Qt_FOUND TRUE)
