# Native build: the core and its tests against the portable platform pieces.
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
target_link_libraries(zr_core PUBLIC Threads::Threads)

# The platform's native half; its skin images come through libjpeg where
# Windows has GDI+.
file(GLOB ZR_NATIVE_PLATFORM_SOURCES CONFIGURE_DEPENDS src/platform/native/*.cpp)
target_sources(zr_core PRIVATE ${ZR_NATIVE_PLATFORM_SOURCES})
find_package(JPEG REQUIRED)
target_link_libraries(zr_core PUBLIC JPEG::JPEG)

file(GLOB ZR_NATIVE_TEST_SOURCES CONFIGURE_DEPENDS tests/native/*.cpp tests/shared/*.cpp)
add_executable(zr_native_tests ${ZR_NATIVE_TEST_SOURCES})
target_include_directories(zr_native_tests PRIVATE tests)
target_link_libraries(zr_native_tests PRIVATE zr_core GTest::gtest GTest::gtest_main GTest::gmock)
target_compile_definitions(zr_native_tests PRIVATE ZR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
add_test(NAME native_tests COMMAND zr_native_tests --gtest_brief=1)

# The threaded tests alone, for the ThreadSanitizer build (native-tsan).
include(cmake/ThreadedTests.cmake)
zr_threaded_test_sources(ZR_THREADED_TEST_SOURCES ${ZR_NATIVE_TEST_SOURCES})
add_executable(zr_threaded_tests ${ZR_THREADED_TEST_SOURCES})
target_include_directories(zr_threaded_tests PRIVATE tests)
target_link_libraries(zr_threaded_tests PRIVATE zr_core zr_virtual_mouse GTest::gtest GTest::gtest_main GTest::gmock)
target_compile_definitions(zr_threaded_tests PRIVATE ZR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
if(NOT ZR_TSAN)
  # Elsewhere its tests are all in zr_native_tests: not compiled twice.
  set_target_properties(zr_threaded_tests PROPERTIES EXCLUDE_FROM_ALL ON)
endif()

# The skin generator needs Debian's python3-pil, which only the system's own
# interpreter sees; another python3 earlier on the PATH would not find it.
if(NOT DEFINED Python3_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python3_EXECUTABLE /usr/bin/python3)
endif()
find_package(Python3 COMPONENTS Interpreter)
if(Python3_FOUND)
  # The committed installation data must be what its generator writes.
  add_test(NAME installation_data_is_generated
           COMMAND ${CMAKE_COMMAND} -DPYTHON=${Python3_EXECUTABLE} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
                   -DWORK_DIR=${CMAKE_BINARY_DIR}/regenerated -P ${CMAKE_SOURCE_DIR}/cmake/CheckGenerated.cmake)
endif()

# The device link and the download against the virtual mouse.
target_link_libraries(zr_native_tests PRIVATE zr_virtual_mouse)

# Benchmarks, measured in the native-release build; every native build
# compiles them so that they keep building, where Google Benchmark is there.
option(ZR_BENCHMARKS "Build the benchmarks (needs Google Benchmark)" ON)
if(ZR_BENCHMARKS)
  find_package(benchmark QUIET)
  if(NOT benchmark_FOUND)
    message(STATUS "Google Benchmark not found: the benchmarks are not built")
  endif()
endif()
if(ZR_BENCHMARKS AND benchmark_FOUND)
  file(GLOB ZR_BENCHMARK_SOURCES CONFIGURE_DEPENDS benchmarks/*.cpp)
  add_executable(zr_benchmarks ${ZR_BENCHMARK_SOURCES})
  target_include_directories(zr_benchmarks PRIVATE tests)
  target_link_libraries(zr_benchmarks PRIVATE zr_core zr_virtual_mouse benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(zr_benchmarks PRIVATE ZR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")  # the shipped skin
endif()
