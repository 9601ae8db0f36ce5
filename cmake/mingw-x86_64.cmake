# The 64-bit Windows target: a test vehicle, never packaged. It builds the same Windows programs
# as the i686 target so that they run under 64-bit Wine on machines whose kernel cannot start
# 32-bit programs. Its hosts keep the record's buffers below 4 GiB, as on Linux x86-64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(STAMP_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
