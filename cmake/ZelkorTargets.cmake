# zelkor_test_library(NAME SOURCES... [HOST]): a test library (*.ZKL) built from C++ sources,
# a resource script and a .def file that exports the page procedures by ordinal.
# HOST links it against Zelkor.exe's import library so it can call the host functions.
# It links the compiler's runtime as DLLs, as Zelkor.exe does (SharedRuntime.cmake), so that
# the error classes can be thrown and caught across the boundary.
function(zelkor_test_library name)
  cmake_parse_arguments(ARG "HOST" "" "SOURCES" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".ZKL")
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/sdk ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE zelkor_warnings comctl32 gdi32 user32 advapi32)
  # The .def file names the page procedures undecorated; on i686 they are stdcall (Name@16).
  target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup)
  zelkor_shared_runtime(${name})
  # Stripped as the program is: every library is loaded at start-up, debug sections and all.
  target_link_options(${name} PRIVATE -s)
  if(ARG_HOST)
    target_link_libraries(${name} PRIVATE Zelkor)
  endif()
  zelkor_version_resource(${name} "Zelkor test library ${name}")
endfunction()
