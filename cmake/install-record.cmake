# SPDX-License-Identifier: BSD-2-Clause
# Run first by every install: notes in the build folder where this install
# puts the program's files, so that the uninstall target looks for them
# there and nowhere else.  A line holds the DESTDIR the install was given
# and the folders of the program, its manual page and its documents, made
# absolute as the install makes them, each as "h" and its bytes in
# hexadecimal, so that no byte of a path can split or end a field.  cpack's
# installs into its own staging folder are not noted.
if("$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}" MATCHES "/_CPack_Packages/")
  return()
endif()
string(HEX "$ENV{DESTDIR}" _sysfacts_line)
set(_sysfacts_line "h${_sysfacts_line}")
foreach(_sysfacts_dir IN ITEMS "${SYSFACTS_BIN_DIR}" "${SYSFACTS_MAN_DIR}"
    "${SYSFACTS_DOC_DIR}")
  if(NOT _sysfacts_dir STREQUAL "")
    if(NOT IS_ABSOLUTE "${_sysfacts_dir}")
      set(_sysfacts_dir "${CMAKE_INSTALL_PREFIX}/${_sysfacts_dir}")
    endif()
    if(IS_ABSOLUTE "${_sysfacts_dir}")
      set(_sysfacts_dir "$ENV{DESTDIR}${_sysfacts_dir}")
    endif()
    get_filename_component(_sysfacts_dir "${_sysfacts_dir}" ABSOLUTE)
    string(HEX "${_sysfacts_dir}" _sysfacts_dir)
  endif()
  string(APPEND _sysfacts_line " h${_sysfacts_dir}")
endforeach()
set(_sysfacts_lines "")
if(EXISTS "${SYSFACTS_RECORD}")
  file(STRINGS "${SYSFACTS_RECORD}" _sysfacts_lines)
endif()
list(FIND _sysfacts_lines "${_sysfacts_line}" _sysfacts_found)
if(_sysfacts_found EQUAL -1)
  file(APPEND "${SYSFACTS_RECORD}" "${_sysfacts_line}\n")
endif()
