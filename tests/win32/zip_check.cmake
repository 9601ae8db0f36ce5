# The Windows package as a user meets it: the zip made from this build's host folder (HOST_DIR)
# is unpacked, and stamp-host.exe demo runs from the unpacked folder under Wine (EMULATOR, its
# words joined by "|"); its record's canvas-sized buffers must equal, byte for byte, those of the
# Linux reference host's demo (REFERENCE_HOST). The zip holds the i686 product, so an x86-64
# build, a build without a reference host and a machine that cannot run this Wine report the
# check skipped with the reason ("zip check skipped: ...").
cmake_minimum_required(VERSION 3.25)
if(NOT MACHINE STREQUAL "i686")
  message("zip check skipped: the zip holds the i686 product, and this is the ${MACHINE} build")
  return()
endif()
if(NOT REFERENCE_HOST)
  message("zip check skipped: no Linux reference host; configure this build with "
          "-DSTAMP_REFERENCE_HOST=<native build>/bin/stamp-host")
  return()
endif()
string(REPLACE "|" ";" emulator "${EMULATOR}")
set(canvas_dumps layer0 layer1 layer2 overlay undo overlaysave scratch stamp)

file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/unpacked)
execute_process(COMMAND ${CMAKE_COMMAND} -DHOST_DIR=${HOST_DIR} -DOUT=${SCRATCH}
                        -DVERSION=${VERSION} -P ${ZIP_SCRIPT}
                RESULT_VARIABLE result ERROR_VARIABLE err)
set(zip ${SCRATCH}/stamp-${VERSION}-win32.zip)
if(NOT result EQUAL 0 OR NOT EXISTS ${zip})
  message(FATAL_ERROR "cannot make the zip: ${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${zip} WORKING_DIRECTORY ${SCRATCH}/unpacked
                RESULT_VARIABLE result)
set(top ${SCRATCH}/unpacked/stamp-${VERSION}-win32)
file(GLOB sheets ${top}/stamp/*.bmp)
foreach(file stamp-host.exe plugin/kvo_stamp.plg plugin/kvo_stamp.dat README.txt)
  if(NOT result EQUAL 0 OR NOT EXISTS ${top}/${file} OR NOT sheets)
    message(FATAL_ERROR "the unpacked zip lacks ${file} or the sample sheets")
  endif()
endforeach()

execute_process(COMMAND ${emulator} ${top}/stamp-host.exe demo --dumps --quiet --out windows
                WORKING_DIRECTORY ${SCRATCH} RESULT_VARIABLE windows_code
                OUTPUT_VARIABLE windows_out ERROR_VARIABLE windows_err)
if(windows_code EQUAL SKIPPED)
  message("zip check skipped: ${windows_out}")
  return()
endif()
execute_process(COMMAND ${REFERENCE_HOST} demo --dumps --quiet --out linux
                WORKING_DIRECTORY ${SCRATCH} RESULT_VARIABLE linux_code ERROR_VARIABLE linux_err)
if(NOT windows_code EQUAL 0 OR NOT linux_code EQUAL 0)
  message(FATAL_ERROR "the demo failed: Windows (exit ${windows_code}) ${windows_out}"
          "${windows_err}\nLinux (exit ${linux_code}) ${linux_err}")
endif()
if(NOT EXISTS ${SCRATCH}/windows/canvas.png OR NOT EXISTS ${SCRATCH}/windows/panel.png)
  message(FATAL_ERROR "the unpacked stamp-host.exe demo wrote no canvas.png or panel.png")
endif()
foreach(dump ${canvas_dumps})
  file(SHA256 ${SCRATCH}/windows/demo-${dump}.bmp windows_sum)
  file(SHA256 ${SCRATCH}/linux/demo-${dump}.bmp linux_sum)
  if(NOT windows_sum STREQUAL linux_sum)
    message(FATAL_ERROR "the demo's ${dump} differs between the Windows package and Linux "
            "(${SCRATCH})")
  endif()
endforeach()
message("the zip's demo left the Linux demo's bytes in all of: ${canvas_dumps}")
file(REMOVE_RECURSE ${SCRATCH})
