# Fails when a file of the plug-in includes a layer above its own or anything of the platform
# but its contract, when the host includes anything of the plug-in or the platform that is not
# in include/ or one of the platform's helpers for hosts, when the platform's shared part or one
# back end includes a back end's files, or when a lower part of the host includes one of its
# front ends. Layers from the bottom up: core;
# then resources and pixel; prepare, images and dialog; canvas and panel; plugin on top. A layer
# includes itself and the layers below it, never one beside or above it. The module state is the
# plugin layer's alone: no file below it names Module().
# Run as: cmake -DSOURCE_DIR=<repository> -P CheckIncludeLayers.cmake
set(layer_rank_core 0)
set(layer_rank_resources 1)
set(layer_rank_pixel 1)
set(layer_rank_prepare 2)
set(layer_rank_images 2)
set(layer_rank_dialog 2)
set(layer_rank_canvas 3)
set(layer_rank_panel 3)
set(layer_rank_plugin 4)
set(layers core resources pixel prepare images dialog canvas panel plugin)

set(violations "")
foreach(layer IN LISTS layers)
  file(GLOB sources ${SOURCE_DIR}/src/${layer}/*.h ${SOURCE_DIR}/src/${layer}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^#include \"src/[a-z_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"src/([a-z_]+)/.*" "\\1" included "${line}")
      if(NOT included STREQUAL layer AND
         NOT layer_rank_${included} LESS layer_rank_${layer})
        list(APPEND violations "${source}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

# Below the plugin layer every function receives the state it reads: the module state is
# neither included nor reached for.
foreach(layer IN LISTS layers)
  if(layer STREQUAL "plugin")
    continue()
  endif()
  file(GLOB sources ${SOURCE_DIR}/src/${layer}/*.h ${SOURCE_DIR}/src/${layer}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} reaches REGEX "(Module\\(\\)|ModuleState|module_state\\.h)")
    foreach(line IN LISTS reaches)
      list(APPEND violations "${source}: ${line}")
    endforeach()
  endforeach()
endforeach()

# The host sees the plug-in and the platform only through include/ and the platform's helpers
# for hosts: its own headers are "host/...", everything else it includes is "stamp/..." or one
# of the helpers below, each beside its code (or a system header).
set(host_platform_helpers
  "platform/portable/text_encoding\\.h"
  "platform/portable/bmp/bmp_(de|en)coder\\.h"
  "platform/scripted_ui/scripted_ui\\.h"
  "platform/support/safe_file\\.h")
list(JOIN host_platform_helpers "|" host_platform_helpers)
file(GLOB_RECURSE host_sources ${SOURCE_DIR}/host/*.h ${SOURCE_DIR}/host/*.cpp)
foreach(source IN LISTS host_sources)
  file(STRINGS ${source} includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    if(NOT line MATCHES "^#include \"(host/|stamp/|(${host_platform_helpers})\")")
      list(APPEND violations "${source}: ${line}")
    endif()
  endforeach()
endforeach()

# Every include of a file below folder that matches pattern breaks the layering.
function(forbid_includes folder pattern)
  file(GLOB_RECURSE sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^#include \"${pattern}")
    foreach(line IN LISTS includes)
      list(APPEND violations "${source}: ${line}")
    endforeach()
  endforeach()
  set(violations "${violations}" PARENT_SCOPE)
endfunction()

# The plug-in runs on any host and either back end: it sees the platform through stamp/platform.h
# alone, not the host's side nor a back end's own headers. What both back ends share includes
# neither of them, and neither back end includes the other.
forbid_includes(src "(platform/|stamp/platform_host\\.h)")
forbid_includes(platform/portable "platform/(posix|win32)/")
forbid_includes(platform/posix "platform/win32/")
forbid_includes(platform/win32 "platform/posix/")

# The host's front ends, its commands and its window, stand on its lower parts: the script, the
# session, the record, the plug-in's loading, what it reads and writes, the sheets it makes. No lower part includes a
# front end: each is told what it needs by its caller and gives back outcomes of its own, which
# the front ends turn into exit codes.
foreach(part ora output picture plugin record script session sheets)
  forbid_includes(host/${part} "host/(commands|gui)/")
endforeach()

# The drawing is in neither window's toolkit: the document includes nothing of a window, which
# stands on it. In the Qt window the views (canvas and panel) stand alone, the dialogs on them, and
# the main window on both; only the main window and the gui command know the main window.
forbid_includes(host/document "host/gui/")
forbid_includes(host/gui/views "host/gui/(app|dialogs|window)/")
forbid_includes(host/gui/dialogs "host/gui/window/")

if(violations)
  list(JOIN violations "\n  " report)
  message(FATAL_ERROR "includes that break the layering:\n  ${report}")
endif()
