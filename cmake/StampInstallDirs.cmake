# Where `cmake --install` and the packages put things, relative to the prefix:
#   lib/stamp-host/             the host's folder, the same shape as the build's bin/
#   bin/stamp-host              a link to the host in that folder, for the PATH
#   include/stamp/*.h           the C headers for host writers
#   lib/cmake/StampPlatform/    the package configuration of find_package(StampPlatform)
#   share/applications/, share/icons/hicolor/   the window's desktop entry and its icons, where
#                               the window is built (Exec names stamp-host, found on the PATH)
# Every path is relative, so an installed tree works wherever it is moved.
set(STAMP_INSTALL_HOST_DIR lib/stamp-host)
set(STAMP_INSTALL_BIN_DIR bin)
set(STAMP_INSTALL_INCLUDE_DIR include)
set(STAMP_INSTALL_CONFIG_DIR lib/cmake/StampPlatform)
set(STAMP_INSTALL_DATA_DIR share)
