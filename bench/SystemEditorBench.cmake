# The System Editor benchmark's library: it names SYSTEM.INI.
zelkor_test_library(benchlib_systemini SOURCES ${FIXTURES}/sysedit/SystemFilesLibrary.c SystemIni.rc)
target_include_directories(benchlib_systemini PRIVATE ${CMAKE_SOURCE_DIR}/resources/images)
set_target_properties(benchlib_systemini PROPERTIES OUTPUT_NAME SystemIni
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/benchlibs/systemini)
add_dependencies(zelkor_sysedit_bench benchlib_systemini)
