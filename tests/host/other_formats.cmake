# The formats only the Windows host reads, through stamp-host.exe (HOST) under Wine (EMULATOR,
# its words joined by "|") in SCRATCH: a GIF and a TIFF of a PNG's picture make the PNG's sheet
# byte for byte, a JPEG makes one, and each hostile file is refused with its own reason.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" emulator "${EMULATOR}")
set(pictures ${FIXTURES})
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})

# Makes SHEET from the pictures; leaves the exit code in code and what was said in said.
function(make sheet)
  execute_process(COMMAND ${emulator} ${HOST} sheet --make ${sheet} ${ARGN}
                  WORKING_DIRECTORY ${pictures} RESULT_VARIABLE result OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  set(code ${result} PARENT_SCOPE)
  set(said "${out}${err}" PARENT_SCOPE)
endfunction()

make(${SCRATCH}/png.bmp same.png same.png)
if(code EQUAL SKIPPED)
  message("other formats skipped: ${said}")
  return()
endif()
make(${SCRATCH}/others.bmp same.gif same.tif)
file(SHA256 ${SCRATCH}/png.bmp png_sum)
file(SHA256 ${SCRATCH}/others.bmp others_sum)
if(NOT code EQUAL 0 OR NOT png_sum STREQUAL others_sum)
  message(FATAL_ERROR "the GIF and the TIFF do not make the PNG's sheet (exit ${code}): ${said}")
endif()
make(${SCRATCH}/jpeg.bmp photo.jpg)
if(NOT code EQUAL 0 OR NOT said MATCHES "cell 0: photo.jpg \\(37x29, shown 30x24\\)")
  message(FATAL_ERROR "the JPEG makes no sheet (exit ${code}): ${said}")
endif()
foreach(row
    "cut_in_header.jpg|cut_in_header.jpg cannot be read: the picture's data ends early"
    "cut.jpg|cut.jpg cannot be read: the system's decoder cannot decode it"
    "huge.gif|huge.gif is too large \\(65535x65535\\)"
    "cut_in_header.tif|cut_in_header.tif cannot be read: the picture's data ends early")
  string(REPLACE "|" ";" row "${row}")
  list(GET row 0 file)
  list(GET row 1 reason)
  make(${SCRATCH}/hostile.bmp hostile/${file})
  if(NOT code EQUAL 1 OR NOT said MATCHES "sheet: hostile/${reason}" OR EXISTS ${SCRATCH}/hostile.bmp)
    message(FATAL_ERROR "${file} is not refused as it should be (exit ${code}): ${said}")
  endif()
endforeach()
file(REMOVE_RECURSE ${SCRATCH})
