# STAMP_PLUGIN_EXPORT_NAMES: the plug-in's export names, read in their order from their one list
# in stamp/plugin.h (STAMP_PLUGIN_EXPORTS, one "X(TYPE, NAME, MEMBER)" line each). The module's
# symbol map and module definition file and the Windows build's header check are made from it;
# the build is configured again when the header changes.
set(stamp_plugin_header ${CMAKE_SOURCE_DIR}/include/stamp/plugin.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${stamp_plugin_header})
file(READ ${stamp_plugin_header} stamp_plugin_text)
# Matched within the text: the lines end in the macro's backslashes, which a CMake list of lines
# would take for escapes.
string(REGEX MATCHALL "\n  X\\(Plg[A-Za-z]+, [a-z_]+, [A-Za-z]+\\)" stamp_export_entries
       "${stamp_plugin_text}")
set(STAMP_PLUGIN_EXPORT_NAMES "")
foreach(entry ${stamp_export_entries})
  string(REGEX REPLACE "^\n  X\\(Plg[A-Za-z]+, ([a-z_]+),.*" "\\1" name "${entry}")
  list(APPEND STAMP_PLUGIN_EXPORT_NAMES ${name})
endforeach()
if(NOT STAMP_PLUGIN_EXPORT_NAMES)
  message(FATAL_ERROR "${stamp_plugin_header}: no line of STAMP_PLUGIN_EXPORTS found")
endif()
