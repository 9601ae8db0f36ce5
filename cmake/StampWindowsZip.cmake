# Makes stamp-VERSION-win32.zip in OUT from a Windows build's host folder HOST_DIR:
# stamp-host.exe, plugin\kvo_stamp.plg, plugin\kvo_stamp.dat, stamp\*.bmp and README.txt, all in
# one top folder stamp-VERSION-win32\. Run with cmake -P; tools/package and the zip's test use it.
cmake_minimum_required(VERSION 3.25)
set(name stamp-${VERSION}-win32)
set(stage ${OUT}/${name})
file(REMOVE_RECURSE ${stage})
file(REMOVE ${OUT}/${name}.zip)
file(MAKE_DIRECTORY ${stage}/plugin ${stage}/stamp)
foreach(file stamp-host.exe plugin/kvo_stamp.plg plugin/kvo_stamp.dat)
  if(NOT EXISTS ${HOST_DIR}/${file})
    message(FATAL_ERROR "the Windows build has no ${HOST_DIR}/${file}")
  endif()
  get_filename_component(folder ${stage}/${file} DIRECTORY)
  file(COPY ${HOST_DIR}/${file} DESTINATION ${folder})
endforeach()
file(GLOB sheets ${HOST_DIR}/stamp/*.bmp)
if(NOT sheets)
  message(FATAL_ERROR "the Windows build has no sample sheets in ${HOST_DIR}/stamp")
endif()
file(COPY ${sheets} DESTINATION ${stage}/stamp)
# The text with Windows line ends, as a Windows editor shows it.
configure_file(${CMAKE_CURRENT_LIST_DIR}/../assets/windows/README.txt ${stage}/README.txt @ONLY
               NEWLINE_STYLE CRLF)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT}/${name}.zip --format=zip ${name}
                WORKING_DIRECTORY ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot make ${OUT}/${name}.zip")
endif()
file(REMOVE_RECURSE ${stage})
message("made ${OUT}/${name}.zip")
