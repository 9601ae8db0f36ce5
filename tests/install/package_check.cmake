# Makes the .tar.gz and the .deb from BUILD_DIR, unpacks each into a scratch root (the .deb with
# dpkg -x, as a package manager would lay it out) and runs stamp-host from there: --version must
# name VERSION and the plug-in, the demo must write its pictures, and the window's desktop entry
# and icons must be there (check_desktop_entry).
include(${CMAKE_CURRENT_LIST_DIR}/check_steps.cmake)
file(REMOVE_RECURSE ${SCRATCH})
check_run("cpack" cpack --config ${BUILD_DIR}/CPackConfig.cmake -B ${SCRATCH})
file(GLOB tarball ${SCRATCH}/stamp-host-*.tar.gz)
file(GLOB deb ${SCRATCH}/stamp-host_*.deb)
if(NOT tarball OR NOT deb)
  message(FATAL_ERROR "cpack made no .tar.gz or no .deb in ${SCRATCH}")
endif()

file(MAKE_DIRECTORY ${SCRATCH}/tar-root)
check_run("unpacking ${tarball}" ${CMAKE_COMMAND} -E chdir ${SCRATCH}/tar-root
          ${CMAKE_COMMAND} -E tar xzf ${tarball})
file(GLOB tar_top ${SCRATCH}/tar-root/stamp-host-*)
check_run("dpkg -x ${deb}" dpkg -x ${deb} ${SCRATCH}/deb-root)

foreach(root ${tar_top} ${SCRATCH}/deb-root/usr)
  set(host ${root}/bin/stamp-host)
  check_run("${host} --version" ${host} --version)
  if(NOT check_output MATCHES "stamp-host ${VERSION}\nplug-in: Stamp, interface version 1.0 ")
    message(FATAL_ERROR "${host} --version printed:\n${check_output}")
  endif()
  check_demo(${host} ${root}/demo-out)
  check_desktop_entry(${root})
endforeach()
file(REMOVE_RECURSE ${SCRATCH})
