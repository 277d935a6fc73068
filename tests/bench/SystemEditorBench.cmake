# The System Editor page against a bare EDIT control with a large SYSTEM.INI: built with the
# tests, run by hand, never by CTest.
add_executable(zelkor_sysedit_bench bench/SystemEditorBench.cpp $<TARGET_OBJECTS:zelkor_resources>)
target_link_libraries(zelkor_sysedit_bench PRIVATE zelkor_core)
target_link_options(zelkor_sysedit_bench PRIVATE -mwindows -mconsole)
zelkor_shared_runtime(zelkor_sysedit_bench)
zelkor_test_library(benchlib_systemini SOURCES fixtures/sysedit/SystemFilesLibrary.c bench/SystemIni.rc)
target_include_directories(benchlib_systemini PRIVATE ${CMAKE_SOURCE_DIR}/resources/images)
set_target_properties(benchlib_systemini PROPERTIES OUTPUT_NAME SystemIni
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/benchlibs/systemini)
add_dependencies(zelkor_sysedit_bench benchlib_systemini)
