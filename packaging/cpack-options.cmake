# SPDX-License-Identifier: BSD-2-Clause
# Read by cpack for each generator: a Debian package installs under /usr,
# needs its maintainer and holds lintian's override; a tarball unpacks into
# one folder named for the package, version, system and architecture.

if(CPACK_GENERATOR STREQUAL "DEB")
  if(NOT CPACK_PACKAGE_CONTACT)
    message(FATAL_ERROR "A Debian package needs its maintainer: configure "
      "with -DSYSFACTS_PACKAGE_CONTACT=\"Name <address>\".")
  endif()
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_INSTALL_CMAKE_PROJECTS
    "${CPACK_SYSFACTS_BINARY_DIR};sysfacts;Unspecified;/"
    "${CPACK_SYSFACTS_BINARY_DIR};sysfacts;debian;/")
elseif(CPACK_GENERATOR STREQUAL "TGZ" OR CPACK_GENERATOR STREQUAL "TXZ")
  set(CPACK_PACKAGING_INSTALL_PREFIX "")
  set(CPACK_SET_DESTDIR OFF)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
