# Steps shared by the install checks; each stops the check with a message naming what failed.

# Runs a command; fails the check with its output unless it exits 0. The output is left in
# check_output.
function(check_run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${out}\n${err}")
  endif()
  set(check_output "${out}" PARENT_SCOPE)
endfunction()

# Runs the demo of the stamp-host at `host` with its pictures in `out`.
function(check_demo host out)
  check_run("${host} demo" ${host} demo --quiet --out ${out})
  foreach(picture canvas.png panel.png)
    if(NOT EXISTS ${out}/${picture})
      message(FATAL_ERROR "${host} demo wrote no ${picture}")
    endif()
  endforeach()
endfunction()

# Where DESKTOP_ASSETS names the desktop entry's source folder (set where the window is built):
# the entry installed under root/share passes desktop-file-validate, and every icon the asset
# generator drew is installed in the icon theme's folder.
function(check_desktop_entry root)
  if(NOT DESKTOP_ASSETS)
    return()
  endif()
  set(entry ${root}/share/applications/stamp-host.desktop)
  if(NOT EXISTS ${entry})
    message(FATAL_ERROR "no desktop entry at ${entry}")
  endif()
  find_program(validate desktop-file-validate)
  if(NOT validate)
    message(FATAL_ERROR "desktop-file-validate not found (tools/install-deps package)")
  endif()
  check_run("desktop-file-validate ${entry}" ${validate} ${entry})
  file(GLOB_RECURSE icons RELATIVE ${DESKTOP_ASSETS}/icons ${DESKTOP_ASSETS}/icons/*.png)
  if(NOT icons)
    message(FATAL_ERROR "no icons in ${DESKTOP_ASSETS}/icons")
  endif()
  foreach(icon ${icons})
    if(NOT EXISTS ${root}/share/icons/${icon})
      message(FATAL_ERROR "icon ${icon} is not installed under ${root}/share/icons")
    endif()
  endforeach()
endfunction()
