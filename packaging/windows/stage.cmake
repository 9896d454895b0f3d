# Lays out what the Windows installer and zip carry, the same bytes on every build of one commit:
# marovel-config.exe, LICENSE.txt, NOTICES.txt (the terms of the program and of the runtime
# libraries linked into it, as Debian ships them with the cross compiler), and the administrative
# template under policies/. The texts get CRLF
# line ends, which Notepad before Windows 10 1809 and the installer's licence page need. Every
# file gets a fixed mode and the last commit's time, as the zip and the installer record both.
# cmake -DSTAGE=<folder> -DPROGRAM=<exe> -DLICENSE=<file> -DCOPYRIGHT=<file> -DRUNTIME_NOTICES=<file>,...
#       -DPOLICIES=<template folder> -DTIME_FILE=<file with the seconds since 1970> -P stage.cmake
function(write_for_windows output text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE "${output}" "${text}")
endfunction()

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")
file(COPY_FILE "${PROGRAM}" "${STAGE}/marovel-config.exe")
file(READ "${LICENSE}" text)
write_for_windows("${STAGE}/LICENSE.txt" "${text}")
file(READ "${COPYRIGHT}" notices)
string(REPLACE "," ";" runtime_notices "${RUNTIME_NOTICES}")
foreach(notice IN LISTS runtime_notices)
  file(READ "${notice}" text)
  string(APPEND notices "\n\n==== ${notice} ====\n\n${text}")
endforeach()
write_for_windows("${STAGE}/NOTICES.txt" "${notices}")

file(COPY "${POLICIES}/" DESTINATION "${STAGE}/policies")
file(GLOB_RECURSE policy_files LIST_DIRECTORIES true RELATIVE "${STAGE}" "${STAGE}/policies/*")
list(SORT policy_files)
set(policy_folders policies)
set(policy_texts)
foreach(entry IN LISTS policy_files)
  if(IS_DIRECTORY "${STAGE}/${entry}")
    list(APPEND policy_folders "${entry}")
  else()
    list(APPEND policy_texts "${entry}")
  endif()
endforeach()

file(CHMOD "${STAGE}/marovel-config.exe" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
     GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
list(TRANSFORM policy_folders PREPEND "${STAGE}/")
list(TRANSFORM policy_texts PREPEND "${STAGE}/")
file(CHMOD ${policy_folders} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
     WORLD_READ WORLD_EXECUTE)
file(CHMOD "${STAGE}/LICENSE.txt" "${STAGE}/NOTICES.txt" ${policy_texts} PERMISSIONS OWNER_READ OWNER_WRITE
     GROUP_READ WORLD_READ)
file(STRINGS "${TIME_FILE}" time LIMIT_COUNT 1)
execute_process(COMMAND touch --no-dereference --date=@${time} "${STAGE}" "${STAGE}/marovel-config.exe"
                        "${STAGE}/LICENSE.txt" "${STAGE}/NOTICES.txt" ${policy_folders} ${policy_texts}
                COMMAND_ERROR_IS_FATAL ANY)
