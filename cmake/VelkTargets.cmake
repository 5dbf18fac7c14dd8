# One static library per subsystem folder; every .cpp in the folder belongs to it.
function(velk_subsystem_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${name} INTERFACE)  # a subsystem still being laid down
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/generated)
  target_link_libraries(${name} ${scope} ${ARG_DEPENDS})
endfunction()

# One GoogleTest executable per test folder; each test case is its own ctest test.
function(velk_gtest_folder name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE velk_test_support ${ARG_DEPENDS} GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "VELK_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()

# A libFuzzer target with its seed corpus. The test run does a fixed amount of work from a
# fixed seed, so it finds the same things on any machine; scripts/fuzz explores further.
function(velk_fuzzer name source corpus)
  cmake_parse_arguments(ARG "" "RUNS" "DEPENDS" ${ARGN})
  if(NOT VELK_BUILD_FUZZERS OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    return()
  endif()
  add_executable(${name} ${source})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS})
  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  add_test(NAME fuzz.${name}
           COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
                   sh -c "rm -rf '${work}' && mkdir -p '${work}' && exec '$<TARGET_FILE:${name}>' -seed=1 -runs=${ARG_RUNS} -rss_limit_mb=1024 -print_final_stats=0 '${work}' '${corpus}'")
endfunction()
