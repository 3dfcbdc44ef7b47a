# SPDX-License-Identifier: BSD-2-Clause
# How cpack packages sysfacts: a Debian package (cpack -G DEB) and a tarball
# of the install tree (cpack -G TGZ).  The maintainer comes from the packager, through
# the cache variable SYSFACTS_PACKAGE_CONTACT.

set(CPACK_PACKAGE_NAME sysfacts)
set(CPACK_PACKAGE_VENDOR "The sysfacts Authors")
set(CPACK_PACKAGE_CONTACT "${SYSFACTS_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "picture and nine facts about the running system")
set(CPACK_PACKAGE_DESCRIPTION
  "sysfacts prints one report and exits: a picture drawn in 256 colours with
the digits 0 and 1 and, beside it, the host name, boot method, operating
system, release, processor, memory, process count, login shell and uptime.
It takes no options, never writes to standard error and always exits 0, so
it suits a shell's start-up file.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_FILE_NAME
  ${PROJECT_NAME}-${PROJECT_VERSION}-${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})
# Read back in packaging/cpack-options.cmake, which knows only CPACK_ names.
set(CPACK_SYSFACTS_BINARY_DIR ${PROJECT_BINARY_DIR})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# A static program needs no other package; a dynamic one, its libraries.
if(NOT SYSFACTS_STATIC)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

# The settings that depend on the generator are made when cpack runs.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/cpack-options.cmake)

# The release tarball is packaging/source-tarball.sh's, not cpack's.
set(CPACK_SOURCE_GENERATOR "")

include(CPack)
