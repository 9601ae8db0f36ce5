# Reads the plug-in DLL's headers with objdump -p, as a Windows host's loader sees them: the
# export directory is named KVO_TEXTURE.plg and holds exactly the export names of stamp/plugin.h
# (EXPORTS, joined by "|"), undecorated; every imported DLL is one of the system's.
#   cmake -DOBJDUMP=... -DMODULE=kvo_stamp.plg -DEXPORTS=plg_init|... -P module_pe_check.cmake
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" expected_exports "${EXPORTS}")
list(SORT expected_exports)
set(system_dlls advapi32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll
    user32.dll)

execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump -p ${MODULE} failed")
endif()
set(faults)

if(NOT dump MATCHES "\nName[ \t]+[0-9a-f]+ KVO_TEXTURE\\.plg\n")
  list(APPEND faults "the export directory is not named KVO_TEXTURE.plg")
endif()

string(FIND "${dump}" "[Ordinal/Name Pointer] Table" names_at)
set(names_text "")
if(names_at GREATER_EQUAL 0)
  string(SUBSTRING "${dump}" ${names_at} -1 names_text)
endif()
string(REGEX MATCHALL "\n\t\\[ *[0-9]+\\] [^\n]+" name_lines "${names_text}")
set(exports)
foreach(line ${name_lines})
  string(REGEX REPLACE "^\n\t\\[ *[0-9]+\\] " "" name "${line}")
  list(APPEND exports ${name})
endforeach()
list(SORT exports)
if(NOT exports STREQUAL expected_exports)
  list(APPEND faults "exports are [${exports}], not [${expected_exports}]")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" import_lines "${dump}")
foreach(line ${import_lines})
  string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST system_dlls)
    list(APPEND faults "imports ${dll}, which is not a system DLL")
  endif()
endforeach()
if(NOT import_lines)
  list(APPEND faults "no import directory found")
endif()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "${MODULE}:\n  ${text}")
endif()
list(LENGTH exports count)
message(STATUS "${MODULE}: KVO_TEXTURE.plg, ${count} exports, system imports only")
