# Libraries with many tests for the Select Diagnostics benchmark: the resource script of each is
# written at configure time, one test per line, all sharing the library's icon.
foreach(count 1000 10000)
  set(script "${CMAKE_CURRENT_BINARY_DIR}/many/Many${count}.rc")
  set(lines "")
  foreach(test RANGE 1 ${count})
    string(APPEND lines "  \"Test ${test}\\0\", 10, 300, 7,\n")
  endforeach()
  file(WRITE "${script}.new" "#include <windows.h>\n#include \"zelkor_rc.h\"\n10 ICON \"zelkor.ico\"\n"
       "1 ZKRC_LIBRARY {\n  \"Many${count}\\0\", 10, 0,\n${lines}  0, 0, 0 }\n")
  file(COPY_FILE "${script}.new" "${script}" ONLY_IF_DIFFERENT)
  zelkor_test_library(benchlib_many${count} SOURCES ${FIXTURES}/pages/PageLibrary.c ${script})
  target_include_directories(benchlib_many${count} PRIVATE ${CMAKE_SOURCE_DIR}/resources/images)
  set_target_properties(benchlib_many${count} PROPERTIES OUTPUT_NAME Many${count}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/benchlibs/many${count})
  add_dependencies(zelkor_select_bench benchlib_many${count})
endforeach()
