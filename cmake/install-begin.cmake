# SPDX-License-Identifier: BSD-2-Clause
# Run first by every install: notes which of the folders the install puts
# files in (SYSFACTS_INSTALL_DIRS, under the prefix) and their parents do
# not exist yet, so that the removal takes out the folders it made and no
# other.
set(SYSFACTS_DIRS_MADE "")
set(_sysfacts_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
foreach(_sysfacts_dir IN LISTS SYSFACTS_INSTALL_DIRS)
  while(_sysfacts_dir AND NOT _sysfacts_dir STREQUAL ".")
    if(NOT EXISTS "${_sysfacts_root}/${_sysfacts_dir}")
      list(APPEND SYSFACTS_DIRS_MADE "${_sysfacts_root}/${_sysfacts_dir}")
    endif()
    get_filename_component(_sysfacts_dir "${_sysfacts_dir}" DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES SYSFACTS_DIRS_MADE)
