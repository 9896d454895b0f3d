# The native build also builds the libFuzzer targets with clang (into fuzz/, with AddressSanitizer
# and UndefinedBehaviorSanitizer) and registers CTest tests, labelled "fuzz", that run each from
# its seed corpus for a few seconds; scripts/fuzz runs them longer. Under CI a missing clang
# fails the configure.
include(MissingTools)
option(MAROVEL_FUZZ_TESTS "Build the fuzz targets with clang and run each briefly as a test" ON)
if(NOT MAROVEL_FUZZ_TESTS)
  return()
endif()

find_program(MAROVEL_CLANG_C clang)
find_program(MAROVEL_CLANG_CXX clang++)
if(NOT MAROVEL_CLANG_C OR NOT MAROVEL_CLANG_CXX)
  marovel_missing_tools("clang (Debian clang, libclang-rt-dev) is missing: the fuzz targets and their tests")
  return()
endif()

include(ExternalProject)
set(MAROVEL_FUZZ_BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(fuzz_targets
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${MAROVEL_FUZZ_BINARY_DIR}
  CMAKE_ARGS -DCMAKE_C_COMPILER=${MAROVEL_CLANG_C}
             -DCMAKE_CXX_COMPILER=${MAROVEL_CLANG_CXX}
             -DCMAKE_BUILD_TYPE=RelWithDebInfo
             -DMAROVEL_FUZZ_TARGETS_ONLY=ON
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON)

# One target per seed folder; eight seconds each keeps all six under a minute.
file(GLOB MAROVEL_FUZZ_TARGETS LIST_DIRECTORIES true RELATIVE ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus
     ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/*)
foreach(target IN LISTS MAROVEL_FUZZ_TARGETS)
  add_test(NAME fuzz.${target}
           COMMAND sh ${PROJECT_SOURCE_DIR}/scripts/fuzz-target ${MAROVEL_FUZZ_BINARY_DIR}/tests/fuzz/${target}_fuzz 8
                   ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${target} ${CMAKE_BINARY_DIR}/fuzz-runs/${target})
  set_tests_properties(fuzz.${target} PROPERTIES LABELS fuzz TIMEOUT 60)
endforeach()
