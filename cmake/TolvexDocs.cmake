# The API reference: Doxygen over the installed headers (target tolvex_api_docs, HTML in
# build/<preset>/api/html). Warnings are errors, so that the reference cannot rot. The headers'
# own comments are the documentation: a filter reads each "// " comment line as "/// ".
find_package(Doxygen QUIET)
if(NOT DOXYGEN_FOUND)
  return()
endif()
set(TOLVEX_API_INPUT)
foreach(folder framework value intrinsics numberbase model interpreter controls design)
  string(APPEND TOLVEX_API_INPUT " \"${PROJECT_SOURCE_DIR}/${folder}\"")
endforeach()
string(APPEND TOLVEX_API_INPUT " \"${TOLVEX_GENERATED_INCLUDE_DIR}/tolvex\"")
configure_file(${CMAKE_CURRENT_LIST_DIR}/Doxyfile.in ${PROJECT_BINARY_DIR}/api/Doxyfile @ONLY)
add_custom_target(tolvex_api_docs
  COMMAND ${DOXYGEN_EXECUTABLE} ${PROJECT_BINARY_DIR}/api/Doxyfile
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/api
  COMMENT "API reference (Doxygen)" VERBATIM)
