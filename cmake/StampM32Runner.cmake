# Some x86-64 kernels cannot start 32-bit programs ("Exec format error"). There the 32-bit tests
# run under qemu's user-mode emulator, which executes the same i386 instructions: CTest and test
# discovery prefix every test program with it.
set(probe_source ${CMAKE_BINARY_DIR}/m32_probe.c)
file(WRITE ${probe_source} "int main(void) { return 0; }\n")
try_run(m32_probe_runs m32_probe_builds ${CMAKE_BINARY_DIR}/m32_probe ${probe_source}
  COMPILE_DEFINITIONS -m32 LINK_OPTIONS -m32)
if(NOT m32_probe_builds)
  message(FATAL_ERROR "The compiler cannot build 32-bit programs: install g++-multilib.")
endif()
if(NOT m32_probe_runs EQUAL 0)
  find_program(STAMP_I386_EMULATOR qemu-i386)
  if(NOT STAMP_I386_EMULATOR)
    message(FATAL_ERROR "This machine cannot run 32-bit programs and qemu-i386 is missing: "
                        "install qemu-user.")
  endif()
  message(STATUS "32-bit programs do not run here: tests run under ${STAMP_I386_EMULATOR}")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${STAMP_I386_EMULATOR})
endif()
