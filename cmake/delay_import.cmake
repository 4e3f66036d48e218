# Delay-loaded system libraries: the program's first frame needs neither the spooler, the device
# set-up, the shell nor Bluetooth, and loading them at process start costs a visible part of it
# under Wine. ldw_delay_import(VAR lib dll) makes lib<lib>_delay.a from the toolchain's import
# library (its exports as a def file, then dlltool --output-delaylib) and puts its path in VAR.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(LDW_MINGW_PREFIX x86_64-w64-mingw32)
else()
  set(LDW_MINGW_PREFIX i686-w64-mingw32)
endif()
find_program(LDW_MINGW_NM ${LDW_MINGW_PREFIX}-nm REQUIRED)
find_program(LDW_MINGW_DLLTOOL ${LDW_MINGW_PREFIX}-dlltool REQUIRED)

function(ldw_delay_import var lib dll)
  set(import /usr/${LDW_MINGW_PREFIX}/lib/lib${lib}.a)
  set(def ${CMAKE_BINARY_DIR}/delay/${lib}.def)
  set(out ${CMAKE_BINARY_DIR}/delay/lib${lib}_delay.a)
  execute_process(COMMAND ${LDW_MINGW_NM} -g ${import} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot read the import library ${import}")
  endif()
  # "__imp_Name" (x86_64) or "__imp__Name@N" (i686) for each export.
  string(REGEX MATCHALL "I __imp__?[A-Za-z0-9_@?$]+" imports "${symbols}")
  set(names)
  foreach(entry IN LISTS imports)
    string(REGEX REPLACE "^I __imp_" "" name "${entry}")
    if(LDW_MINGW_PREFIX STREQUAL "i686-w64-mingw32")
      string(REGEX REPLACE "^_" "" name "${name}")
    endif()
    list(APPEND names "${name}")
  endforeach()
  list(REMOVE_DUPLICATES names)
  list(JOIN names "\n" exports)
  file(WRITE ${def} "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
  set(kill)
  if(LDW_MINGW_PREFIX STREQUAL "i686-w64-mingw32")
    set(kill -k)  # the DLL exports undecorated names; the callers' symbols keep their @N
  endif()
  execute_process(COMMAND ${LDW_MINGW_DLLTOOL} ${kill} --input-def ${def} --output-delaylib ${out} --dllname ${dll}
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "dlltool could not make ${out}")
  endif()
  set(${var} ${out} PARENT_SCOPE)
endfunction()
