# CPack pre-build script: removes the $ORIGIN search paths from the staged programs and libraries,
# which a package installed under /usr does not need (and Debian forbids).
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(file IN LISTS staged)
  if(IS_SYMLINK "${file}" OR NOT file MATCHES "/(bin|lib)/")
    continue()
  endif()
  file(READ "${file}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    file(RPATH_REMOVE FILE "${file}")
  endif()
endforeach()
