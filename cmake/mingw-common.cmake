# What the two Windows targets share: Debian's MinGW-w64, its posix threads variant, whose C++
# library has std::mutex and std::condition_variable (GoogleTest's Windows port needs them; the
# win32 variant of GCC 12 lacks them). Its threading library is linked statically, so nothing
# built here needs a DLL beyond the system's. Test programs run under Wine through
# tools/wine-run, which keeps a prefix inside the build folder. The including toolchain file sets
# CMAKE_SYSTEM_PROCESSOR and STAMP_MINGW_PREFIX first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${STAMP_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${STAMP_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${STAMP_MINGW_PREFIX}-windres)
# The libraries of the drawings, built from Debian's sources by tools/mingw-libraries (static), are
# found before the toolchain's own; where they are not built, the build has no drawings.
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH stamp_source_dir)
set(STAMP_MINGW_LIBRARIES ${stamp_source_dir}/build/mingw-libraries/${CMAKE_SYSTEM_PROCESSOR}
    CACHE PATH "The static zlib, libpng and libzip of tools/mingw-libraries for this target")
set(CMAKE_FIND_ROOT_PATH ${STAMP_MINGW_LIBRARIES} /usr/${STAMP_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# tools/wine-run's exit code when the machine cannot run this target's Wine: the test is skipped.
set(STAMP_WINE_SKIPPED 77)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run ${CMAKE_SYSTEM_PROCESSOR}
    ${CMAKE_BINARY_DIR}/wine-prefix)
# The C and C++ runtimes and the threading library go into each module.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
