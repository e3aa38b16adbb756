# Debian packages, one per install component (cpack -G DEB in a build folder):
#   libtolvex-c4-<soversion>  runtime  the shared libraries, named after the interpreter's soname
#   libtolvex-dev             dev      headers, link-time files, CMake and pkg-config files
#   tolvex                    tool     the tolvex tool and its man page
#   tolvex-qt, tolvex-qt-dev  qt, qt-dev  the Qt backend, form widgets and workbench; their headers
#   tolvex-qt-designer        designer    the Qt Widgets Designer plugin
# Each package carries /usr/share/doc/<package>/copyright and changelog.gz. Lintian's remaining
# warnings are explained in docs/packaging.md.
set(TOLVEX_RUNTIME_PACKAGE libtolvex-c4-${TOLVEX_SOVERSION})
set(TOLVEX_PACKAGES runtime ${TOLVEX_RUNTIME_PACKAGE} dev libtolvex-dev)
if(TARGET tolvex)
  list(APPEND TOLVEX_PACKAGES tool tolvex)
endif()
# The Qt parts get packages once their install rules exist (components qt and qt-dev).
get_cmake_property(TOLVEX_COMPONENTS COMPONENTS)
set(TOLVEX_QT_COMPONENTS qt qt-dev designer)
set(TOLVEX_QT_PACKAGES tolvex-qt tolvex-qt-dev tolvex-qt-designer)
foreach(component package IN ZIP_LISTS TOLVEX_QT_COMPONENTS TOLVEX_QT_PACKAGES)
  if(component IN_LIST TOLVEX_COMPONENTS)
    list(APPEND TOLVEX_PACKAGES ${component} ${package})
  endif()
endforeach()
set(TOLVEX_MAINTAINER "Tolvex maintainers <maintainers@tolvex.org>")

# The copyright file in Debian's machine-readable form, and a changelog in Debian's format that
# points to CHANGELOG.md; both installed into every package's documentation folder.
string(TIMESTAMP TOLVEX_YEAR "%Y" UTC)
set(TOLVEX_DOC_DIR ${PROJECT_BINARY_DIR}/package-doc)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE TOLVEX_LICENSE_TEXT)
string(REGEX REPLACE "\n\n" "\n.\n" TOLVEX_LICENSE_TEXT "${TOLVEX_LICENSE_TEXT}")
string(REGEX REPLACE "\n([^\n])" "\n \\1" TOLVEX_LICENSE_TEXT " ${TOLVEX_LICENSE_TEXT}")
file(WRITE ${TOLVEX_DOC_DIR}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Tolvex
Source: https://tolvex.org/

Files: *
Copyright: ${TOLVEX_YEAR} The Tolvex developers
License: Expat

License: Expat
${TOLVEX_LICENSE_TEXT}")
file(WRITE ${TOLVEX_DOC_DIR}/changelog
"tolvex (${PROJECT_VERSION}) unstable; urgency=medium

  * Release ${PROJECT_VERSION}; the changes are listed in CHANGELOG.md in the
    libtolvex-dev package's documentation.

 -- ${TOLVEX_MAINTAINER}  Tue, 01 Dec 2026 00:00:00 +0000
")
execute_process(COMMAND gzip -9nf ${TOLVEX_DOC_DIR}/changelog)

list(LENGTH TOLVEX_PACKAGES count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET TOLVEX_PACKAGES ${i} component)
  list(GET TOLVEX_PACKAGES ${j} package)
  string(TOUPPER ${component} COMPONENT)
  set(CPACK_DEBIAN_${COMPONENT}_PACKAGE_NAME ${package})
  set(CPACK_DEBIAN_${COMPONENT}_FILE_NAME DEB-DEFAULT)
  install(FILES ${TOLVEX_DOC_DIR}/copyright ${TOLVEX_DOC_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()
file(GLOB TOLVEX_DOC_PAGES ${PROJECT_SOURCE_DIR}/docs/*.md)
install(FILES README.md CHANGELOG.md ${TOLVEX_DOC_PAGES} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/libtolvex-dev
  COMPONENT dev)

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_PACKAGE_NAME tolvex)
set(CPACK_PACKAGE_VENDOR Tolvex)
set(CPACK_PACKAGE_CONTACT "${TOLVEX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TOLVEX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tolvex.org/)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Our own libraries are not installed while the packages are made: dpkg-shlibdeps looks for them
# in the build tree, and the component dependencies below name their package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR} ${PROJECT_BINARY_DIR}/qt)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# The installed tree keeps $ORIGIN search paths so that it can be moved; a package under /usr
# needs none, so they are removed from the staged files before packaging.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/TolvexStripRpath.cmake)

set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "embeddable mathematical expression interpreter for C++20
Tolvex evaluates arithmetic, relational, logical and string expressions, with
variables, user functions with recursion and 75 built-in functions, keeps its
symbol table between calls and saves it as text.

This package holds the shared libraries.")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# ldconfig runs once after every package that installs shared libraries.
file(WRITE ${PROJECT_BINARY_DIR}/package-control/runtime/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/package-control/runtime/triggers)

set(CPACK_COMPONENT_DEV_DESCRIPTION "embeddable mathematical expression interpreter for C++20 (development)
Tolvex evaluates arithmetic, relational, logical and string expressions, with
variables, user functions with recursion and 75 built-in functions.

This package holds the headers, the CMake package (find_package(Tolvex)) and
the pkg-config file.")
set(CPACK_COMPONENT_DEV_DEPENDS runtime)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)

set(CPACK_COMPONENT_TOOL_DESCRIPTION "command-line expression interpreter and REPL
tolvex runs statement lists from the command line, files or standard input,
and offers a REPL with line editing, completion and history. It is built on
the Tolvex interpreter library.")
set(CPACK_COMPONENT_TOOL_DEPENDS runtime)
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION math)

set(CPACK_COMPONENT_QT_DESCRIPTION "Qt 6 Widgets backend and workbench for Tolvex
The Qt backend behind the Tolvex expression controls, forms and dialogs, the
controls and the interpreter as widgets for forms (uic code, QUiLoader), and
tolvex-workbench, a desktop program around the interpreter editor window.")
set(CPACK_COMPONENT_QT_DEPENDS runtime)
set(CPACK_DEBIAN_QT_PACKAGE_SECTION math)
# It installs the Qt backend's shared library, so it triggers ldconfig too.
set(CPACK_DEBIAN_QT_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/package-control/runtime/triggers)
set(CPACK_COMPONENT_QT-DEV_DESCRIPTION "Qt 6 Widgets backend for Tolvex (development)
The headers and CMake package of the Qt backend behind the Tolvex expression
controls.")
set(CPACK_COMPONENT_QT-DEV_DEPENDS qt dev)
set(CPACK_DEBIAN_QT-DEV_PACKAGE_SECTION libdevel)
# Its own package, so that the backend and the workbench do without the designer's libraries.
set(CPACK_COMPONENT_DESIGNER_DESCRIPTION "Qt Widgets Designer plugin for the Tolvex controls
Puts the Tolvex expression controls and the interpreter into the widget box
of Qt Widgets Designer, with their options in the property editor, the
interpreter's symbols stored in the form and its editors in the task menu.")
set(CPACK_COMPONENT_DESIGNER_DEPENDS qt)
set(CPACK_DEBIAN_DESIGNER_PACKAGE_SECTION devel)
include(CPack)
