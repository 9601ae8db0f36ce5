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
