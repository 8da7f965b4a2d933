# Installs the Trovex component of a build into a fresh prefix, builds the
# host project against it with find_package(Trovex) and runs both hosts.
# cmake -DBUILD_DIR=... -DHOST_SOURCE=... -DWORK_DIR=... [-DPRELOAD=...] -P FindPackageTest.cmake
file(REMOVE_RECURSE ${WORK_DIR})
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}\n${out}\n${err}")
  endif()
  message(STATUS "${out}")
endfunction()
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --component Trovex --prefix ${WORK_DIR}/prefix)
run(${CMAKE_COMMAND} -S ${HOST_SOURCE} -B ${WORK_DIR}/build -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix
    -DCMAKE_BUILD_TYPE=Debug)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
# PRELOAD: the sanitizer runtime a sanitized package needs first in the host.
if(PRELOAD)
  set(host ${CMAKE_COMMAND} -E env LD_PRELOAD=${PRELOAD})
endif()
run(${host} ${WORK_DIR}/build/host_c)
run(${host} ${WORK_DIR}/build/host_cpp)
