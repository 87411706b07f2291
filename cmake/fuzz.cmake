# Fuzz targets (tests/fuzz): a clang project of their own, built from the host
# tree when a clang++ with libFuzzer is found, and run by ctest for a bounded
# time each (label "fuzz") so that a crash or a broken rule fails the tests.
#   QR_FUZZ_SECONDS=600 ctest -L fuzz     runs each target longer
# Not built in the Windows tree, nor in the sanitizer tree: the fuzz targets
# carry ASan and UBSan themselves, one run of them is enough.
include_guard(GLOBAL)

if(WIN32 OR QR_SANITIZE)
  return()
endif()

option(QR_FUZZ "Build the libFuzzer targets (needs clang)" ON)
set(QR_FUZZ_JOBS 2 CACHE STRING "Parallel jobs for building the fuzz targets")
if(NOT QR_FUZZ)
  return()
endif()

find_program(QR_FUZZ_CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14)
if(QR_FUZZ_CLANGXX AND NOT DEFINED QR_FUZZ_CLANG_WORKS)
  set(probe_dir ${CMAKE_BINARY_DIR}/fuzz-probe)
  file(WRITE ${probe_dir}/probe.cpp
       "#include <cstddef>\n#include <cstdint>\n"
       "extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n")
  execute_process(COMMAND ${QR_FUZZ_CLANGXX} -fsanitize=fuzzer,address,undefined ${probe_dir}/probe.cpp
                          -o ${probe_dir}/probe
                  RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(probe_result EQUAL 0)
    set(QR_FUZZ_CLANG_WORKS ON CACHE INTERNAL "clang++ links libFuzzer with ASan and UBSan")
  else()
    set(QR_FUZZ_CLANG_WORKS OFF CACHE INTERNAL "clang++ links libFuzzer with ASan and UBSan")
  endif()
endif()
if(NOT QR_FUZZ_CLANG_WORKS)
  message(STATUS "Fuzz targets skipped: no clang++ that links -fsanitize=fuzzer")
  return()
endif()

include(ExternalProject)
set(QR_FUZZ_BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(qr_fuzzers
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/tests/fuzz
  BINARY_DIR ${QR_FUZZ_BINARY_DIR}
  CMAKE_GENERATOR ${CMAKE_GENERATOR}
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=${QR_FUZZ_CLANGXX}
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${QR_FUZZ_BINARY_DIR} --parallel ${QR_FUZZ_JOBS}
  INSTALL_COMMAND ""
  # The sub-build follows its own sources; asking it every time is cheap.
  BUILD_ALWAYS ON)

# Seconds per target; together well under two minutes. The whole-load and the
# settings targets get more, they have the most ground to cover.
set(QR_FUZZ_DEFAULT_SECONDS 6)
set(QR_FUZZ_SECONDS_fuzz_database_load 15)
set(QR_FUZZ_SECONDS_fuzz_settings_ini 12)
set(QR_FUZZ_SECONDS_fuzz_memory_storage_file 8)

file(GLOB QR_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
foreach(source ${QR_FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  set(seconds ${QR_FUZZ_DEFAULT_SECONDS})
  if(DEFINED QR_FUZZ_SECONDS_${name})
    set(seconds ${QR_FUZZ_SECONDS_${name}})
  endif()
  add_test(NAME ${name}
           COMMAND ${CMAKE_SOURCE_DIR}/tests/fuzz/run_fuzzer.sh ${QR_FUZZ_BINARY_DIR}/${name}
                   ${CMAKE_SOURCE_DIR}/tests/fuzz/seeds ${QR_FUZZ_BINARY_DIR}/runs ${seconds})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 3600)
endforeach()
