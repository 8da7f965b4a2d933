# Tests of a subsystem are added only when testing is on. Every test runs on
# the offscreen Qt platform with its own settings folder, so no test touches
# a real user's settings or needs a display.
if(BUILD_TESTING)
  find_package(GTest REQUIRED)
endif()

set(TROVEX_TEST_ENV
  "QT_QPA_PLATFORM=offscreen"
  "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config"
  "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-data"
  "TROVEX_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
# The sanitizer build: every report fails the test, leaks from system
# libraries (tests/sanitizer/lsan.supp) excepted.
if(TROVEX_SANITIZE)
  list(APPEND TROVEX_TEST_ENV
    "ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
    "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/sanitizer/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  # A host program built outside this build (Python, a host project) loads
  # the sanitized library into a process without the sanitizer's runtime,
  # which must then come first: it is preloaded, with the C++ library, whose
  # exceptions the runtime catches and must find when it starts.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    set(runtime libasan.so)
  else()
    set(runtime libclang_rt.asan-${CMAKE_SYSTEM_PROCESSOR}.so)
  endif()
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                  OUTPUT_VARIABLE runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++.so
                  OUTPUT_VARIABLE cxx_library OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(TROVEX_SANITIZER_PRELOAD "${runtime}:${cxx_library}")
endif()

# trovex_add_gtest(NAME name [OWN_MAIN] SOURCES ... LIBS ...): a GoogleTest
# executable, registered test by test under the subsystem's prefix (ctest -R
# engine). OWN_MAIN: one of the sources has main() (to make the Qt
# application first), so GoogleTest's is not linked.
function(trovex_add_gtest)
  cmake_parse_arguments(T "OWN_MAIN" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest)
  if(NOT T_OWN_MAIN)
    target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${T_NAME} TEST_PREFIX "${T_NAME}." DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
  # Discovered tests take their properties as a flat list, which cannot carry
  # a multi-variable environment; a small script read after the discovered
  # list sets it on every test of this executable.
  set(envfile "${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}_environment.cmake")
  file(WRITE "${envfile}"
       "if(${T_NAME}_TESTS)\n  set_tests_properties(\${${T_NAME}_TESTS} PROPERTIES ENVIRONMENT \"${TROVEX_TEST_ENV}\")\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${envfile}")
endfunction()

# trovex_add_qtest(NAME name SOURCES ... LIBS ...): a Qt Test executable (one ctest entry).
function(trovex_add_qtest)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} Qt6::Test)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${TROVEX_TEST_ENV}" TIMEOUT 300)
endfunction()
