# Warnings, sanitizers and the 32-bit target, applied to every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic)
# Warnings stop our own builds (tools/test turns this on); anyone else's build only reports them.
if(STAMP_WERROR)
  add_compile_options(-Werror)
endif()

if(STAMP_M32)
  # SSE2 arithmetic, so every double is rounded as a double (x87 keeps extra precision and could
  # change a truncated sine or arc tangent by one).
  add_compile_options(-m32 -msse2 -mfpmath=sse)
  add_link_options(-m32)
  # 64-bit file offsets and inode numbers: without them readdir and stat fail with EOVERFLOW on a
  # file system whose inode numbers or directory positions do not fit 32 bits, and a folder of
  # sheets would list as empty.
  add_compile_definitions(_FILE_OFFSET_BITS=64)
  include(${CMAKE_CURRENT_LIST_DIR}/StampM32Runner.cmake)
elseif(WIN32)
  add_compile_options(-msse2 -mfpmath=sse)
endif()

if(STAMP_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Pixel code is also held to -Wconversion: every narrowing of a channel or offset is spelled out.
function(stamp_pixel_warnings target)
  target_compile_options(${target} PRIVATE -Wconversion -Wsign-conversion)
endfunction()

# The plug-in's internal libraries keep every symbol hidden; only the exports file opens plg_*.
function(stamp_hidden target)
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
endfunction()

# Keeps in the list variable only this system's files: a source ending in _posix.cpp is the Linux
# way of doing its one thing, one ending in _win32.cpp the Windows way.
function(stamp_host_system_sources variable)
  if(WIN32)
    list(FILTER ${variable} EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER ${variable} EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  set(${variable} ${${variable}} PARENT_SCOPE)
endfunction()
