# The packages tools/package makes with CPack from an installed tree (see StampInstallDirs.cmake):
#   stamp-host-VERSION-Linux.tar.gz   relocatable: unpack anywhere, run bin/stamp-host
#   stamp-host_VERSION_ARCH.deb        the same tree under /usr, so stamp-host is on the PATH
set(CPACK_PACKAGE_NAME stamp-host)
set(CPACK_PACKAGE_VENDOR "The Stamp project")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Stamp tool plug-in, its platform layer and the reference host that drives it")
set(CPACK_PACKAGE_CONTACT "The Stamp project <stamp@localhost>")
set(CPACK_GENERATOR TGZ DEB)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The libraries the programs link are found by dpkg-shlibdeps; the platform library is the
# package's own, in the host's folder.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${STAMP_HOST_DIR})
include(CPack)
