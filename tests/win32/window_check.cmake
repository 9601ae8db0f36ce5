# The Windows window as a user meets it: window_driver (DRIVER) starts stamp-host.exe gui
# (WINDOWS_HOST) under Wine (EMULATOR, its words joined by "|") and drives it with the system's
# input; the window writes its record's buffers when it closes. The Linux reference host
# (REFERENCE_HOST) runs the same events as a script (EVENTS, with the load dialog's choice of
# SHEET answered through its picker), and runs the script the window recorded of its steps (its
# sheet's path taken from Wine's drive Z to the Linux root). For each, the layers, the undo
# snapshot and the prepared stamp must be the same bytes, and the stamps must have landed on
# layers 1 and 2. The window saves its
# drawing as it quits; the Linux build's ora_exchange (LINUX_EXCHANGE) reads it, and its layers
# must be the replay's too. Then the window opens a drawing the Linux build wrote (gui FILE),
# and its dumped layers must be that drawing's. Needs a display
# (xvfb-run); a machine that cannot run this Wine, or a build without a reference host, reports
# the check skipped ("window check skipped: ...").
cmake_minimum_required(VERSION 3.25)
if(NOT REFERENCE_HOST)
  message("window check skipped: no Linux reference host; configure this build with "
          "-DSTAMP_REFERENCE_HOST=<native build>/bin/stamp-host")
  return()
endif()
string(REPLACE "|" ";" emulator "${EMULATOR}")
set(compared layer0 layer1 layer2 undo stamp)
set(canvas 160x200)

file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/windows ${SCRATCH}/linux ${SCRATCH}/recorded)
# The host as the Windows side names it: on Wine's drive Z, the Linux root.
string(REPLACE "/" "\\" windows_host "Z:${WINDOWS_HOST}")
execute_process(COMMAND ${emulator} ${DRIVER} ${windows_host} profile.ini dumps ${canvas} ${SHEET}
                WORKING_DIRECTORY ${SCRATCH}/windows RESULT_VARIABLE windows_code
                OUTPUT_VARIABLE windows_out ERROR_VARIABLE windows_err)
if(windows_code EQUAL SKIPPED)
  message("window check skipped: ${windows_out}")
  return()
endif()
if(NOT windows_code EQUAL 0)
  string(REGEX MATCHALL "(window_driver|stamp-host gui):[^\n]*" lines "${windows_err}")
  message(FATAL_ERROR "the window's run failed (exit ${windows_code}): ${lines}")
endif()

get_filename_component(reference_folder ${REFERENCE_HOST} DIRECTORY)
file(READ ${EVENTS} events)
file(WRITE ${SCRATCH}/linux/events.txt "dialog file ${reference_folder}/stamp/${SHEET}\n${events}")
if(NOT EXISTS ${SCRATCH}/windows/steps.txt)
  message(FATAL_ERROR "the window recorded no steps (${SCRATCH}/windows/steps.txt)")
endif()
file(READ ${SCRATCH}/windows/steps.txt steps)
string(REGEX REPLACE "\ndialog type Z:" "\ndialog type " steps "${steps}")
file(WRITE ${SCRATCH}/recorded/events.txt "${steps}save window\n")
foreach(replay linux recorded)
  execute_process(COMMAND ${REFERENCE_HOST} run events.txt --profile profile.ini
                          --canvas ${canvas} --quiet
                  WORKING_DIRECTORY ${SCRATCH}/${replay} RESULT_VARIABLE linux_code
                  OUTPUT_VARIABLE linux_out ERROR_VARIABLE linux_err)
  if(NOT linux_code EQUAL 0)
    message(FATAL_ERROR "the Linux host's run of ${replay}/events.txt failed (exit ${linux_code}): "
                        "${linux_out}${linux_err}")
  endif()
endforeach()

# Whether the pixels of dump (a BMP) are the bytes of raw; each is read from the Linux side.
function(require_pixels dump raw what)
  file(READ ${dump} offset_bytes OFFSET 10 LIMIT 4 HEX)
  string(REGEX REPLACE "(..)(..)(..)(..)" "0x\\4\\3\\2\\1" offset "${offset_bytes}")
  math(EXPR offset "${offset}")
  file(READ ${dump} pixels OFFSET ${offset} HEX)
  file(READ ${raw} expected HEX)
  if(NOT pixels STREQUAL expected)
    message(FATAL_ERROR "${what} (${SCRATCH})")
  endif()
endfunction()

macro(run_linux_exchange)
  execute_process(COMMAND ${LINUX_EXCHANGE} ${ARGN} WORKING_DIRECTORY ${SCRATCH}
                  RESULT_VARIABLE exchange_code ERROR_VARIABLE exchange_err)
  if(NOT exchange_code EQUAL 0)
    message(FATAL_ERROR "the Linux ora_exchange (${ARGN}) failed: ${exchange_err}")
  endif()
endmacro()

foreach(replay linux recorded)
  foreach(dump ${compared})
    file(SHA256 ${SCRATCH}/windows/dumps/window-${dump}.bmp windows_${dump})
    file(SHA256 ${SCRATCH}/${replay}/window-${dump}.bmp ${replay}_${dump})
    if(NOT windows_${dump} STREQUAL ${replay}_${dump})
      message(FATAL_ERROR "the window's ${dump} differs from the Linux host's run of "
                          "${replay}/events.txt (${SCRATCH})")
    endif()
  endforeach()
endforeach()
foreach(layer layer1 layer2)
  if(linux_${layer} STREQUAL linux_layer0)
    message(FATAL_ERROR "no stamp landed on ${layer}: the check would hold for a window that did nothing")
  endif()
endforeach()
message("the window's layers, undo snapshot and stamp match the Linux host's, from the events "
        "and from the window's own recording")

run_linux_exchange(layers windows/drawing.ora saved)
foreach(layer layer0 layer1 layer2)
  require_pixels(${SCRATCH}/recorded/window-${layer}.bmp ${SCRATCH}/saved-${layer}.raw
                 "the drawing the window saved has another ${layer} than its recording's replay")
endforeach()

run_linux_exchange(write linux.ora)
run_linux_exchange(layers linux.ora opened)
string(REPLACE "/" "\\" linux_drawing "Z:${SCRATCH}/linux.ora")
execute_process(COMMAND ${emulator} ${DRIVER} ${windows_host} profile.ini opened open
                        ${linux_drawing}
                WORKING_DIRECTORY ${SCRATCH}/windows RESULT_VARIABLE open_code
                ERROR_VARIABLE open_err)
if(NOT open_code EQUAL 0)
  string(REGEX MATCHALL "(window_driver|stamp-host gui):[^\n]*" lines "${open_err}")
  message(FATAL_ERROR "the window's run on linux.ora failed (exit ${open_code}): ${lines}")
endif()
foreach(layer layer0 layer1 layer2)
  require_pixels(${SCRATCH}/windows/opened/window-${layer}.bmp ${SCRATCH}/opened-${layer}.raw
                 "the window shows another ${layer} than the drawing the Linux build wrote")
endforeach()
message("the drawing the window saved, and the one it opened, match the Linux build's")

