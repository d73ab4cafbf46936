# Every header of the core compiles on its own: each is included alone into a generated
# source file, and the object library of those files is part of the build.
file(GLOB_RECURSE obscut_core_headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/src
     ${PROJECT_SOURCE_DIR}/src/base/*.h ${PROJECT_SOURCE_DIR}/src/platform/*.h
     ${PROJECT_SOURCE_DIR}/src/recorder/*.h ${PROJECT_SOURCE_DIR}/src/run/*.h
     ${PROJECT_SOURCE_DIR}/src/segy/*.h ${PROJECT_SOURCE_DIR}/src/section/*.h)
# The record-section drawing needs Qt; the rest of src/section is standard C++ like the core.
list(FILTER obscut_core_headers EXCLUDE REGEX "section/(section_picture|offscreen_gui)\\.h$")
set(header_check_sources)
foreach(header IN LISTS obscut_core_headers)
  string(MAKE_C_IDENTIFIER ${header} name)
  set(source ${CMAKE_BINARY_DIR}/header_check/${name}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "#include \"${header}\"\n")
  list(APPEND header_check_sources ${source})
endforeach()
add_library(obscut_header_check OBJECT ${header_check_sources})
target_link_libraries(obscut_header_check PRIVATE obscut_core obscut_section_core)
