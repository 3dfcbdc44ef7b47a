# SPDX-License-Identifier: BSD-2-Clause
# Run last by every install: writes what it installed, the files and the
# folders it made, to sysfacts-installed.txt in the build folder, which the
# uninstall target reads.  cpack's installs into its staging folder are not
# recorded, so that packaging after an install leaves the record alone.
if(NOT "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}" MATCHES "/_CPack_Packages/")
  set(_sysfacts_record "")
  foreach(_sysfacts_file IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
    string(APPEND _sysfacts_record "file ${_sysfacts_file}\n")
  endforeach()
  # Deepest first, so that each folder is empty when its turn comes.
  list(SORT SYSFACTS_DIRS_MADE ORDER DESCENDING)
  foreach(_sysfacts_dir IN LISTS SYSFACTS_DIRS_MADE)
    if(IS_DIRECTORY "${_sysfacts_dir}")
      string(APPEND _sysfacts_record "folder ${_sysfacts_dir}\n")
    endif()
  endforeach()
  file(WRITE "${SYSFACTS_BINARY_DIR}/sysfacts-installed.txt"
    "${_sysfacts_record}")
endif()
