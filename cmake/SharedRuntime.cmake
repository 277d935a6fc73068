# Every module links the compiler's runtime as DLLs (libgcc_s, libstdc++, winpthread) shipped
# beside Zelkor.exe. On i686 exceptions are unwound by libgcc's DWARF unwinder, and one thrown in
# one module is caught in another only when both register with the same unwinder: a module that
# carried its own (-static-libgcc) ends such a throw in terminate(). Test libraries share the
# program's error classes, so the program, the test executables and every *.ZKL link this way.
# x86_64 unwinds through the system and would work either way; it links the same for one rule.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(ZELKOR_UNWINDER_DLL libgcc_s_dw2-1.dll)
else()
  set(ZELKOR_UNWINDER_DLL libgcc_s_seh-1.dll)
endif()

set(ZELKOR_RUNTIME_DLL_NAMES ${ZELKOR_UNWINDER_DLL} libstdc++-6.dll libwinpthread-1.dll)
set(ZELKOR_RUNTIME_DLLS "")
foreach(name IN LISTS ZELKOR_RUNTIME_DLL_NAMES)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  # The compiler echoes the bare name when it has no such file.
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} has no ${name}: the program cannot ship its runtime")
  endif()
  get_filename_component(path "${path}" REALPATH)
  # Shipped without their debug sections (most of libstdc++'s 23 MB), which the loader would
  # read into memory at every start.
  set(stripped "${CMAKE_BINARY_DIR}/runtime/${name}")
  if(NOT EXISTS "${stripped}" OR "${path}" IS_NEWER_THAN "${stripped}")
    file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/runtime")
    execute_process(COMMAND ${CMAKE_STRIP} --strip-debug -o "${stripped}" "${path}" RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "${CMAKE_STRIP} cannot strip ${path}")
    endif()
  endif()
  list(APPEND ZELKOR_RUNTIME_DLLS "${stripped}")
endforeach()

# zelkor_shared_runtime(TARGET): links TARGET with the shared runtime and puts the runtime DLLs
# beside its output, so that it runs (or is loaded) straight from the build folder.
function(zelkor_shared_runtime target)
  target_link_options(${target} PRIVATE -shared-libgcc)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${ZELKOR_RUNTIME_DLLS} $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
