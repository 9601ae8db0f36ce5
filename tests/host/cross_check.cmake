# One row of the cross-check (ROW names it): a script of tests/host/scripts (SCRIPT) run by both
# hosts, the Linux reference host (REFERENCE_HOST) and stamp-host.exe (WINDOWS_HOST) under Wine
# (EMULATOR, its words joined by "|"). Each runs in a folder of its own beside a copy of the
# script and of SHEET as dot.bmp, on a CANVAS-sized canvas, with a profile naming PROFILE_SHEET
# in that folder (none when empty; "folder": a folder stands at the profile's path); with
# NO_PANEL_FILE both run from copies of their host folders without the plug-in's panel file.
# With PLACE (a folder name) every path on the command line goes through a folder of that name:
# the script, the sheet, the profile, the saves (PLACE/saves) and the copies the hosts run from.
# With HOST_COMMAND "sheet" the hosts check that dot.bmp and write its pixels to PLACE/sheet;
# with "make" they make a sheet of PICTURES (paths joined by "|", each copied beside the script,
# one that does not exist named all the same) at PLACE/sheet/made.bmp.
# Both must end with the same exit code and print the same lines and errors; every save must
# leave the same files, the canvas-sized dumps and the sheet's pixels byte-identical, the profile
# the same apart from the folder it names, and the panel identical outside the boxes whose text
# the system's font draws: the two numbers (src/panel/layout.h) and the host's "File" label with
# its copy in the plug-in's rows. The sizes and boxes are read from the public headers and the
# layout.
# A machine that cannot run this Wine, or a build without a reference host, reports the check
# skipped with its reason ("cross-check skipped: ...").
cmake_minimum_required(VERSION 3.25)

if(NOT REFERENCE_HOST)
  message("cross-check skipped: no Linux reference host; configure this build with "
          "-DSTAMP_REFERENCE_HOST=<native build>/bin/stamp-host")
  return()
endif()
if(NOT EXISTS ${REFERENCE_HOST})
  message(FATAL_ERROR "the reference host ${REFERENCE_HOST} does not exist")
endif()
string(REPLACE "|" ";" emulator "${EMULATOR}")
# Wine reads the Linux side's command line and file names in the locale's character set, so
# names beyond ASCII need a UTF-8 one, whatever the caller's.
set(ENV{LC_ALL} C.UTF-8)
get_filename_component(script_name ${SCRIPT} NAME)
# What the command line names, from the folder each host runs in.
set(place "")
set(saves "")
if(PLACE)
  set(place "${PLACE}/")
  set(saves "${PLACE}/saves")
endif()
string(REPLACE "|" ";" pictures "${PICTURES}")
if(HOST_COMMAND STREQUAL "sheet")
  set(words sheet "${place}dot.bmp" --out "${place}sheet/dot")
  set(saves "${place}sheet")
elseif(HOST_COMMAND STREQUAL "make")
  set(words sheet --make "${place}sheet/made.bmp")
  foreach(picture ${pictures})
    get_filename_component(name ${picture} NAME)
    list(APPEND words "${place}${name}")
  endforeach()
  set(saves "${place}sheet")
else()
  set(words run "${place}${script_name}" --profile "${place}profile.ini" --canvas ${CANVAS})
  if(PLACE)
    list(APPEND words --out "${saves}")
  endif()
endif()

# The value of an enumerator "NAME = N" in header text.
function(header_value text name out)
  string(REGEX MATCH "${name} = ([0-9]+)" _ "${text}")
  if(CMAKE_MATCH_1 STREQUAL "")
    message(FATAL_ERROR "cannot read ${name} from the public headers")
  endif()
  set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

file(READ ${RECORD_HEADER} record_text)
file(READ ${PLUGIN_HEADER} plugin_text)
file(READ ${PANEL_LAYOUT} layout_text)
header_value("${record_text}" STAMP_PANEL_WIDTH panel_width)
header_value("${record_text}" STAMP_PANEL_HEIGHT panel_height)
header_value("${record_text}" STAMP_PANEL_TOP_ROW top_row)

# The text boxes (left,top,right,bottom; right and bottom exclusive) in panel raster rows.
function(read_text_boxes out)
  foreach(key X Y WIDTH HEIGHT)
    header_value("${plugin_text}" STAMP_FILE_BUTTON_${key} button_${key})
  endforeach()
  math(EXPR button_right "${button_X} + ${button_WIDTH}")
  math(EXPR button_bottom "${button_Y} + ${button_HEIGHT}")
  set(boxes "${button_X},${button_Y},${button_right},${button_bottom}")
  string(REGEX MATCH "kFileButtonPiece = {[^;]*FromPanel\\({([0-9]+), ([0-9]+)}\\)" _
         "${layout_text}")
  math(EXPR copy_top "${CMAKE_MATCH_2} + ${top_row}")
  math(EXPR copy_right "${CMAKE_MATCH_1} + ${button_WIDTH}")
  math(EXPR copy_bottom "${copy_top} + ${button_HEIGHT}")
  list(APPEND boxes "${CMAKE_MATCH_1},${copy_top},${copy_right},${copy_bottom}")
  foreach(name Angle Reduction)
    string(REGEX MATCH
           "k${name}TextRect = {([0-9]+), ([0-9]+) \\+ kPanelTopRow, ([0-9]+), ([0-9]+) \\+ kPanelTopRow}"
           _ "${layout_text}")
    math(EXPR box_top "${CMAKE_MATCH_2} + ${top_row}")
    math(EXPR box_bottom "${CMAKE_MATCH_4} + ${top_row}")
    list(APPEND boxes "${CMAKE_MATCH_1},${box_top},${CMAKE_MATCH_3},${box_bottom}")
  endforeach()
  if(boxes MATCHES ",,|^,|,$|;,")
    message(FATAL_ERROR "cannot read the text boxes from ${PANEL_LAYOUT}: ${boxes}")
  endif()
  set(${out} ${boxes} PARENT_SCOPE)
endfunction()

# The panel dump's pixel bytes as hex with every text box's pixels left out. The dump is a
# 24-bit bottom-up BMP of rows without padding, after a 54-byte header.
function(masked_panel file width height boxes out)
  file(READ ${file} hex HEX)
  math(EXPR row_chars "${width} * 6")
  math(EXPR last_row "${height} - 1")
  set(masked "")
  foreach(y RANGE ${last_row})
    math(EXPR start "(54 + (${last_row} - ${y}) * ${width} * 3) * 2")
    string(SUBSTRING "${hex}" ${start} ${row_chars} row)
    foreach(box ${boxes})
      string(REPLACE "," ";" b "${box}")
      list(GET b 0 left)
      list(GET b 1 top)
      list(GET b 2 right)
      list(GET b 3 bottom)
      if(y GREATER_EQUAL top AND y LESS bottom)
        math(EXPR cut_start "${left} * 6")
        math(EXPR cut_length "(${right} - ${left}) * 6")
        math(EXPR after "${cut_start} + ${cut_length}")
        string(SUBSTRING "${row}" 0 ${cut_start} before_box)
        string(SUBSTRING "${row}" ${after} -1 after_box)
        string(REPEAT "-" ${cut_length} hole)
        set(row "${before_box}${hole}${after_box}")
      endif()
    endforeach()
    string(APPEND masked "${row}")
  endforeach()
  set(${out} "${masked}" PARENT_SCOPE)
endfunction()

# The host's own error lines (a Wine run's standard error carries Wine's notes too).
function(host_errors text out)
  string(REGEX MATCHALL "(stamp-host|sheet):[^\n]*" lines "${text}")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

# The host folder a run uses: the build's own, or a copy: in PLACE, or with NO_PANEL_FILE
# without the plug-in's panel file.
function(host_folder program copy out)
  get_filename_component(folder ${program} DIRECTORY)
  get_filename_component(name ${program} NAME)
  if(NO_PANEL_FILE OR PLACE)
    file(REMOVE_RECURSE ${copy})
    set(copy "${copy}/${place}")
    file(COPY ${folder}/ DESTINATION "${copy}")
    set(folder "${copy}")
  endif()
  if(NO_PANEL_FILE)
    file(REMOVE "${folder}/plugin/kvo_stamp.dat")
  endif()
  set(${out} ${folder}/${name} PARENT_SCOPE)
endfunction()

# Runs one host in folder; leaves its exit code, its output lines (line ends and path
# separators made alike) and its error lines in <name>_code, <name>_out and <name>_err.
function(run_host name folder profile_sheet)
  file(REMOVE_RECURSE ${folder})
  file(MAKE_DIRECTORY "${folder}/${place}")
  file(COPY ${SCRIPT} DESTINATION "${folder}/${place}")
  file(COPY_FILE ${SHEET} "${folder}/${place}dot.bmp")
  foreach(picture ${pictures})
    if(EXISTS ${picture})
      file(COPY ${picture} DESTINATION "${folder}/${place}")
    endif()
  endforeach()
  if(PROFILE_SHEET STREQUAL "folder")
    file(MAKE_DIRECTORY "${folder}/${place}profile.ini")
  elseif(PROFILE_SHEET)
    file(WRITE "${folder}/${place}profile.ini" "[plugin_kvo_stamp]\nfile=${profile_sheet}\n")
  endif()
  execute_process(COMMAND ${ARGN} ${words}
                  WORKING_DIRECTORY ${folder} RESULT_VARIABLE code OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  string(REPLACE "\r" "" out "${out}")
  string(REPLACE "\\" "/" out "${out}")
  host_errors("${err}" err)
  set(${name}_code ${code} PARENT_SCOPE)
  set(${name}_out "${out}" PARENT_SCOPE)
  set(${name}_err "${err}" PARENT_SCOPE)
endfunction()

set(linux_folder ${SCRATCH}/linux)
set(windows_folder ${SCRATCH}/windows)
host_folder(${WINDOWS_HOST} ${SCRATCH}/windows-host windows_host)
host_folder(${REFERENCE_HOST} ${SCRATCH}/linux-host linux_host)
string(REPLACE "/" "\\" windows_sheet "Z:${windows_folder}/${place}${PROFILE_SHEET}")
run_host(windows ${windows_folder} "${windows_sheet}" ${emulator} "${windows_host}")
if(windows_code EQUAL SKIPPED)
  message("cross-check skipped: ${windows_out}")
  return()
endif()
run_host(linux ${linux_folder} "${linux_folder}/${place}${PROFILE_SHEET}" "${linux_host}")

if(NOT linux_code STREQUAL windows_code OR NOT linux_out STREQUAL windows_out
   OR NOT linux_err STREQUAL windows_err)
  message(FATAL_ERROR "${ROW}: the hosts disagree\n--- Linux (exit ${linux_code}):\n"
          "${linux_out}${linux_err}\n--- Windows (exit ${windows_code}):\n${windows_out}${windows_err}")
endif()

# The profile a host left where it was asked to, with the run's folder written alike.
function(left_profile folder out)
  set(profile "${folder}/${place}profile.ini")
  set(text "(no profile)")
  if(EXISTS "${profile}" AND NOT IS_DIRECTORY "${profile}")
    file(READ "${profile}" text)
    string(REPLACE "\r" "" text "${text}")
    string(REPLACE "\\" "/" text "${text}")
    string(REPLACE "Z:${folder}" "${folder}" text "${text}")
    string(REPLACE "${folder}" "RUN" text "${text}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()
left_profile(${linux_folder} linux_profile)
left_profile(${windows_folder} windows_profile)
if(NOT linux_profile STREQUAL windows_profile)
  message(FATAL_ERROR "${ROW}: the profiles differ\n--- Linux:\n${linux_profile}\n"
          "--- Windows:\n${windows_profile}")
endif()

# The pictures saved: the same names; the dumps and the sheet's pixels byte for byte (the PNG
# encoders are each system's own).
set(linux_saves "${linux_folder}/${saves}")
set(windows_saves "${windows_folder}/${saves}")
file(GLOB linux_dumps RELATIVE "${linux_saves}" "${linux_saves}/*.bmp" "${linux_saves}/*.ppm"
     "${linux_saves}/*.png")
file(GLOB windows_dumps RELATIVE "${windows_saves}" "${windows_saves}/*.bmp"
     "${windows_saves}/*.ppm" "${windows_saves}/*.png")
list(REMOVE_ITEM linux_dumps dot.bmp)
list(REMOVE_ITEM windows_dumps dot.bmp)
if(NOT linux_dumps STREQUAL windows_dumps)
  message(FATAL_ERROR "${ROW}: Linux saved ${linux_dumps}, Windows ${windows_dumps}")
endif()
read_text_boxes(text_boxes)
set(compared 0)
foreach(dump ${linux_dumps})
  if(dump MATCHES "\\.png$")
    continue()
  elseif(dump MATCHES "-panel\\.bmp$")
    masked_panel("${linux_saves}/${dump}" ${panel_width} ${panel_height} "${text_boxes}"
                 linux_sum)
    masked_panel("${windows_saves}/${dump}" ${panel_width} ${panel_height} "${text_boxes}"
                 windows_sum)
  else()
    file(SHA256 "${linux_saves}/${dump}" linux_sum)
    file(SHA256 "${windows_saves}/${dump}" windows_sum)
  endif()
  if(NOT linux_sum STREQUAL windows_sum)
    message(FATAL_ERROR "${ROW}: ${dump} differs between the hosts (Linux "
            "${linux_saves}, Windows ${windows_saves})")
  endif()
  math(EXPR compared "${compared} + 1")
endforeach()
if(compared EQUAL 0 AND linux_code EQUAL 0)
  message(FATAL_ERROR "${ROW}: the script saved nothing to compare")
endif()
string(REGEX MATCHALL "message: [^\n]*" shown "${linux_out}")
list(REMOVE_DUPLICATES shown)
message("${ROW}: exit ${linux_code}, the same log (${shown}), ${compared} dumps alike")
file(REMOVE_RECURSE ${SCRATCH})
