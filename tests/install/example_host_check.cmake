# Installs BUILD_DIR into a scratch prefix, builds the example host EXAMPLE against it with
# find_package(StampPlatform) alone, and runs it on the installed host's folder.
include(${CMAKE_CURRENT_LIST_DIR}/check_steps.cmake)
file(REMOVE_RECURSE ${SCRATCH})
set(prefix ${SCRATCH}/prefix)
check_run("cmake --install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
check_run("configuring the example" ${CMAKE_COMMAND} -S ${EXAMPLE} -B ${SCRATCH}/build
          -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix})
check_run("building the example" ${CMAKE_COMMAND} --build ${SCRATCH}/build)
check_run("the example host" ${SCRATCH}/build/tiny_host ${prefix}/lib/stamp-host)
check_demo(${prefix}/bin/stamp-host ${SCRATCH}/demo-out)
check_desktop_entry(${prefix})
file(REMOVE_RECURSE ${SCRATCH})
