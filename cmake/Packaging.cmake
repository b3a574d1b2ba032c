# The Debian package: cpack in the build tree (script/package) makes
# qamptool_VERSION_ARCH.deb of what 'cmake --install' installs. Its
# dependencies are worked out by dpkg-shlibdeps from the programs' libraries,
# so they are Debian's own packages.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qamptool)
set(CPACK_PACKAGE_VENDOR "qamptool developers")
set(CPACK_PACKAGE_CONTACT "qamptool developers <qamptool@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and remote control for the QR-K2600 AV receiver")
# cpack makes the summary the first line of the package's description and
# this paragraph the text under it.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "qamptool reads and changes every setting of a QR-K2600 AV receiver over\n"
  "its RS-232C port, live (Real Time Mode) or in a configuration file edited\n"
  "offline (Async Mode). It backs up the whole receiver with its memories and\n"
  "writes a backup back. qampctl does the same from a terminal or a script.\n"
  "Both come with a built-in simulated receiver.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's platform plugins come with libqt6gui6; under Wayland Qt uses
# its Wayland plugin where it is installed, X11 otherwise.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
include(CPack)
