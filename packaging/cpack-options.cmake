# SPDX-License-Identifier: BSD-2-Clause
# Read by cpack for each generator: a Debian package installs under /usr and
# needs its maintainer; a tarball holds bin/ and share/ at its top.

if(CPACK_GENERATOR STREQUAL "DEB")
  if(NOT CPACK_PACKAGE_CONTACT)
    message(FATAL_ERROR "A Debian package needs its maintainer: configure "
      "with -DSYSFACTS_PACKAGE_CONTACT=\"Name <address>\".")
  endif()
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
elseif(CPACK_GENERATOR STREQUAL "TGZ" OR CPACK_GENERATOR STREQUAL "TXZ")
  set(CPACK_PACKAGING_INSTALL_PREFIX "")
  set(CPACK_SET_DESTDIR OFF)
endif()
