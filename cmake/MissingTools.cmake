# marovel_missing_tools(WHAT): tools that optional tests need are missing. Under CI that fails the
# configure; elsewhere the caller skips what needs them, with a warning.
function(marovel_missing_tools what)
  if(DEFINED ENV{CI})
    message(FATAL_ERROR "${what} are required under CI.")
  endif()
  message(WARNING "${what} are skipped.")
endfunction()
