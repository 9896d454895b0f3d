# The native build also builds the core and its tests for Windows (MinGW-w64, into windows/) and
# registers CTest tests, labelled "wine", that run those programs under Wine in a throw-away
# prefix made once per test run. Under CI a missing cross compiler or Wine fails the configure.
include(MissingTools)
option(MAROVEL_WINE_TESTS "Build the core for Windows and run its tests under Wine" ON)
if(NOT MAROVEL_WINE_TESTS)
  return()
endif()

find_program(MAROVEL_MINGW_CXX x86_64-w64-mingw32-g++-posix)
find_program(MAROVEL_WINE_LOADER NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine)
find_program(MAROVEL_WINESERVER NAMES wineserver PATHS /usr/lib/wine /usr/lib64/wine)
find_program(MAROVEL_XVFB Xvfb)
if(NOT MAROVEL_MINGW_CXX OR NOT MAROVEL_WINE_LOADER OR NOT MAROVEL_WINESERVER OR NOT MAROVEL_XVFB)
  marovel_missing_tools(
      "MinGW-w64 (g++-mingw-w64-x86-64), Wine (wine64) or Xvfb (xvfb) is missing: the Windows build and its Wine tests")
  return()
endif()

include(ExternalProject)
set(MAROVEL_WINDOWS_BINARY_DIR ${CMAKE_BINARY_DIR}/windows)
# scripts/package --check-reproducible builds only the program for Windows.
set(MAROVEL_WINDOWS_TARGETS "" CACHE STRING "Targets of the Windows build to build; all when empty")
set(windows_build_command)
if(MAROVEL_WINDOWS_TARGETS)
  set(windows_build_command BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target ${MAROVEL_WINDOWS_TARGETS})
endif()
ExternalProject_Add(windows_core
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${MAROVEL_WINDOWS_BINARY_DIR}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
             -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
  ${windows_build_command}
  INSTALL_COMMAND ""
  # The sources are this tree: let the inner build decide what changed.
  BUILD_ALWAYS ON
  # windows_core-configure lets scripts/bench build just its own program for Windows.
  STEP_TARGETS configure)

set(MAROVEL_WINE_ENVIRONMENT
    WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix
    WINEDEBUG=-all
    # No Mono or Gecko installers and no desktop menu entries while the prefix is made.
    WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=d
    # Wine derives the ANSI code page from the locale's name: German gives 1252 without any
    # generated locale on the host.
    LC_ALL=de_DE.UTF-8)

set(wine_prefix_script ${PROJECT_SOURCE_DIR}/cmake/wine-prefix.sh)
add_test(NAME wine_prefix COMMAND sh ${wine_prefix_script} setup ${MAROVEL_WINE_LOADER} ${MAROVEL_WINESERVER})
add_test(NAME wine_prefix_cleanup COMMAND sh ${wine_prefix_script} cleanup ${MAROVEL_WINE_LOADER} ${MAROVEL_WINESERVER})
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix)
set_tests_properties(wine_prefix_cleanup PROPERTIES FIXTURES_CLEANUP wine_prefix)
set_tests_properties(wine_prefix wine_prefix_cleanup PROPERTIES
  LABELS wine
  ENVIRONMENT "${MAROVEL_WINE_ENVIRONMENT}"
  TIMEOUT 60)

# Runs the Windows build of <target>, which lies where the native one does below windows/, on
# the prefix's own display.
function(marovel_add_wine_test name target)
  file(RELATIVE_PATH subdir ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR})
  add_test(NAME wine.${name}
           COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh ${MAROVEL_WINE_LOADER}
                   ${MAROVEL_WINDOWS_BINARY_DIR}/${subdir}/${target}.exe)
  set_tests_properties(wine.${name} PROPERTIES
    LABELS wine
    FIXTURES_REQUIRED wine_prefix
    ENVIRONMENT "${MAROVEL_WINE_ENVIRONMENT}"
    TIMEOUT 100)
endfunction()
