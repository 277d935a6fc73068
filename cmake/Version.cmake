# The version number is set once, in project(); the version resources of the program, zkcheck
# and every test library and the package names all take it from there.

# zelkor_version_resource(TARGET DESCRIPTION): a version resource (company, product, file and
# product version, description) that Explorer's Properties show.
function(zelkor_version_resource target description)
  get_target_property(type ${target} TYPE)
  get_target_property(ZK_INTERNAL_NAME ${target} OUTPUT_NAME)
  if(NOT ZK_INTERNAL_NAME)
    set(ZK_INTERNAL_NAME ${target})
  endif()
  if(type STREQUAL "EXECUTABLE")
    set(ZK_FILE_TYPE VFT_APP)
    set(ZK_OUTPUT_NAME ${ZK_INTERNAL_NAME}.exe)
  else()
    set(ZK_FILE_TYPE VFT_DLL)
    get_target_property(suffix ${target} SUFFIX)
    set(ZK_OUTPUT_NAME ${ZK_INTERNAL_NAME}${suffix})
  endif()
  set(ZK_DESCRIPTION "${description}")
  set(script ${CMAKE_CURRENT_BINARY_DIR}/version/${target}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/VersionInfo.rc.in ${script} @ONLY)
  target_sources(${target} PRIVATE ${script})
endfunction()
