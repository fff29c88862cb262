# Linux build: unit tests against the fake platform, benchmarks, fuzz targets.
enable_testing()
find_package(GTest REQUIRED)

file(GLOB NIMBREL_FAKE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/fake/*.cpp)
add_library(nimbrel_platform_fake OBJECT ${NIMBREL_FAKE_SOURCES})
target_include_directories(nimbrel_platform_fake PUBLIC ${CMAKE_SOURCE_DIR})

include(GoogleTest)
# One test program per folder under tests/ (e2e runs under Wine and is built by the
# windows preset instead).
file(GLOB NIMBREL_TEST_DIRS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/*)
foreach(dir ${NIMBREL_TEST_DIRS})
  get_filename_component(name ${dir} NAME)
  if(NOT IS_DIRECTORY ${dir} OR name STREQUAL "e2e" OR name STREQUAL "support")
    continue()
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(NOT sources)
    continue()
  endif()
  file(GLOB support CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
  add_executable(test_${name} ${sources} ${support} $<TARGET_OBJECTS:nimbrel_platform_fake>)
  target_include_directories(test_${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(test_${name} PRIVATE nimbrel_core GTest::gtest GTest::gtest_main)
  # GCC 12 reports false -Wrestrict overlaps inside std::string assignments at -O2 and
  # above (a known compiler fault); the tests assign strings freely.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(test_${name} PRIVATE -Wno-restrict)
  endif()
  # A test folder may bring sources from outside the core (tools/ code, say).
  if(EXISTS ${dir}/sources.cmake)
    include(${dir}/sources.cmake)
  endif()
  gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 30)
endforeach()

if(NIMBREL_BENCH AND NOT NIMBREL_SANITIZE)
  find_package(benchmark QUIET)
  file(GLOB NIMBREL_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  if(benchmark_FOUND AND NIMBREL_BENCH_SOURCES)
    add_executable(nimbrel_bench ${NIMBREL_BENCH_SOURCES} $<TARGET_OBJECTS:nimbrel_platform_fake>)
    target_link_libraries(nimbrel_bench PRIVATE nimbrel_core benchmark::benchmark benchmark::benchmark_main)
  endif()
endif()

if(NIMBREL_FUZZ)
  # Coverage instrumentation in the core guides the fuzzers through its branches.
  target_compile_options(nimbrel_core PRIVATE -fsanitize=fuzzer-no-link)
  file(GLOB NIMBREL_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*.cpp)
  foreach(src ${NIMBREL_FUZZ_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} $<TARGET_OBJECTS:nimbrel_platform_fake>)
    target_link_libraries(${name} PRIVATE nimbrel_core)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  endforeach()
endif()
