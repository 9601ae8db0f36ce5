# The drawing exchange between the two builds: the Linux build's ora_exchange (LINUX_EXCHANGE)
# and the Windows build's (WINDOWS_EXCHANGE, run through EMULATOR, its words joined by "|") each
# write the exchange's picture as a drawing in SCRATCH and each reads the other's, which must give
# the picture's layers byte for byte (the PNG encoders are each system's own, the pixels not).
# A machine that cannot run this Wine, or a build without the Linux program, reports the check
# skipped with its reason ("cross-check skipped: ...").
cmake_minimum_required(VERSION 3.25)

if(NOT EXISTS "${LINUX_EXCHANGE}")
  message("cross-check skipped: no Linux ora_exchange (${LINUX_EXCHANGE}); configure this build "
          "with -DSTAMP_REFERENCE_HOST=<native build>/bin/stamp-host and build that one's tests")
  return()
endif()
string(REPLACE "|" ";" emulator "${EMULATOR}")
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})

# Runs one side's command in SCRATCH; ends the check as skipped when Wine cannot run, and fails
# it with what the program said unless it succeeds.
macro(exchange side)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${SCRATCH} RESULT_VARIABLE code
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(code EQUAL SKIPPED)
    message("cross-check skipped: ${out}")
    return()
  endif()
  if(NOT code EQUAL 0)
    string(REGEX MATCHALL "ora_exchange:[^\n]*" said "${err}")
    message(FATAL_ERROR "${side} (${ARGN}) failed with ${code}: ${said}")
  endif()
endmacro()

# File names relative to SCRATCH, which both systems read alike.
exchange(Windows ${emulator} ${WINDOWS_EXCHANGE} write windows.ora)
exchange(Linux ${LINUX_EXCHANGE} write linux.ora)
exchange(Linux ${LINUX_EXCHANGE} check windows.ora)
exchange(Windows ${emulator} ${WINDOWS_EXCHANGE} check linux.ora)
message("ora exchange: each build read the other's drawing with the picture's three layers")
file(REMOVE_RECURSE ${SCRATCH})
