# marovel_add_core_test(NAME <name> TARGET <target>): a test of the Qt-free core. The native build
# runs it directly and, when the Windows build is on, runs the same program built for Windows
# under Wine as wine.<name>.
function(marovel_add_core_test)
  cmake_parse_arguments(ARG "" "NAME;TARGET" "" ${ARGN})
  add_test(NAME ${ARG_NAME} COMMAND ${ARG_TARGET})
  marovel_add_windows_test(NAME ${ARG_NAME} TARGET ${ARG_TARGET})
endfunction()

# marovel_add_windows_test(NAME <name> TARGET <target>): a test of the Windows build only. The
# Windows build makes the program; the native build runs it under Wine as wine.<name>.
function(marovel_add_windows_test)
  cmake_parse_arguments(ARG "" "NAME;TARGET" "" ${ARGN})
  if(COMMAND marovel_add_wine_test)
    marovel_add_wine_test(${ARG_NAME} ${ARG_TARGET})
  endif()
endfunction()
