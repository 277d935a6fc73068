# cmake -DBUILD=dir -DWORK=dir -DCXX=g++ -DRC=windres -DOUTPUT=Hello.ZKL -P BuildExample.cmake
#
# Builds the SDK's example library the way an author would: the SDK installed alone into WORK
# (a fresh folder of the build tree's own), the example configured and built there with nothing
# but the compiler, warnings as errors. The library is copied to OUTPUT for the wizard's test.
cmake_minimum_required(VERSION 3.24)
file(REMOVE_RECURSE "${WORK}")
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(failed)
    message(FATAL_ERROR "SDK example: ${what} failed:\n${out}")
  endif()
endfunction()
run("installing the SDK" "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${WORK}" --component sdk)
run("configuring" "${CMAKE_COMMAND}" -S "${WORK}/sdk/example" -B "${WORK}/build" -DCMAKE_SYSTEM_NAME=Windows
    "-DCMAKE_CXX_COMPILER=${CXX}" "-DCMAKE_RC_COMPILER=${RC}" "-DCMAKE_CXX_FLAGS=-Wall -Wextra -Werror")
run("building" "${CMAKE_COMMAND}" --build "${WORK}/build")
file(COPY_FILE "${WORK}/build/Hello.ZKL" "${OUTPUT}")
file(REMOVE_RECURSE "${WORK}")
