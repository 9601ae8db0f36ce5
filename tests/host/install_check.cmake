# Installs the build into PREFIX and runs the installed stamp-host's demo there: the folder's
# shape, the run paths ($ORIGIN for the host, $ORIGIN/.. for the plug-in) and the data files.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
foreach(file stamp-host libstamp_platform.so plugin/kvo_stamp.plg plugin/kvo_stamp.dat
             stamp/nature.bmp stamp/shapes.bmp)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "the installed folder lacks ${file}")
  endif()
endforeach()
execute_process(COMMAND ${PREFIX}/stamp-host demo --quiet --out ${PREFIX}/out
                RESULT_VARIABLE ran ERROR_VARIABLE errors)
if(NOT ran EQUAL 0 OR NOT EXISTS ${PREFIX}/out/canvas.png OR NOT EXISTS ${PREFIX}/out/panel.png)
  message(FATAL_ERROR "the installed demo failed (${ran}): ${errors}")
endif()
file(REMOVE_RECURSE ${PREFIX})
