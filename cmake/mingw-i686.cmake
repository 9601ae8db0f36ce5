# The 32-bit Windows target, the product: the plug-in's DLL as its hosts load it. Its tests run
# under 32-bit Wine, which only a kernel that starts 32-bit programs can run.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(STAMP_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
