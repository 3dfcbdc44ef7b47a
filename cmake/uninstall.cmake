# SPDX-License-Identifier: BSD-2-Clause
# Removes what the installs from this build folder with the DESTDIR now
# given (none, by default) put in place, as cmake/install-record.cmake
# noted where: each file only when it is still a regular file holding the
# bytes this build installs (the program as built or stripped, the manual
# page, the licence and the changelog), then the documents' folder only
# when it is the project's own and empty.  Anything else, a file a user
# changed or put in place, a folder with anything in it, is left alone.
#   cmake -DRECORD=... -DPROGRAM=... -DMAN_PAGE=... -DLICENSE=...
#     -DCHANGELOG=... -DSTRIP=... -P cmake/uninstall.cmake
cmake_minimum_required(VERSION 3.18)

# Sets the variable named out to the bytes whose hexadecimal is hex.
function(unhex hex out)
  set(bytes "")
  string(LENGTH "${hex}" length)
  set(at 0)
  while(at LESS length)
    string(SUBSTRING "${hex}" ${at} 2 pair)
    math(EXPR code "0x${pair}")
    string(ASCII ${code} byte)
    string(APPEND bytes "${byte}")
    math(EXPR at "${at} + 2")
  endwhile()
  set(${out} "${bytes}" PARENT_SCOPE)
endfunction()

# Removes the file at path when its bytes are those of one of the files
# whose SHA-256 sums follow.
function(remove_if_ours path)
  if(IS_SYMLINK "${path}" OR IS_DIRECTORY "${path}" OR NOT EXISTS "${path}")
    return()
  endif()
  file(SHA256 "${path}" sum)
  if(sum IN_LIST ARGN)
    file(REMOVE "${path}")
    message(STATUS "Removed ${path}")
  else()
    message(STATUS "Left ${path}: it is not the file this build installs")
  endif()
endfunction()

if(NOT EXISTS "${RECORD}")
  message(STATUS "Nothing to remove: nothing was installed from this build folder")
  return()
endif()
# The program as built, and as an install with --strip or cpack leaves it.
file(SHA256 "${PROGRAM}" program_sum)
set(stripped "${RECORD}.stripped")
execute_process(COMMAND "${CMAKE_COMMAND}" -E copy "${PROGRAM}" "${stripped}")
execute_process(COMMAND "${STRIP}" "${stripped}" RESULT_VARIABLE failed)
set(stripped_sum "${program_sum}")
if(NOT failed)
  file(SHA256 "${stripped}" stripped_sum)
endif()
file(REMOVE "${stripped}")
file(SHA256 "${MAN_PAGE}" man_page_sum)
file(SHA256 "${LICENSE}" licence_sum)
file(SHA256 "${CHANGELOG}" changelog_sum)

set(pattern "^h([0-9a-f]*) h([0-9a-f]+) h([0-9a-f]+) h([0-9a-f]*)$")
file(STRINGS "${RECORD}" lines)
set(kept "")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "${pattern}")
    continue()
  endif()
  unhex("${CMAKE_MATCH_1}" destdir)
  set(doc_hex "${CMAKE_MATCH_4}")
  unhex("${CMAKE_MATCH_2}" bin)
  unhex("${CMAKE_MATCH_3}" man)
  if(NOT destdir STREQUAL "$ENV{DESTDIR}")
    string(APPEND kept "${line}\n")
    continue()
  endif()
  remove_if_ours("${bin}/sysfacts" "${program_sum}" "${stripped_sum}")
  remove_if_ours("${man}/sysfacts.1.gz" "${man_page_sum}")
  if(NOT doc_hex STREQUAL "")
    unhex("${doc_hex}" doc)
    remove_if_ours("${doc}/LICENSE" "${licence_sum}")
    remove_if_ours("${doc}/CHANGELOG.md" "${changelog_sum}")
    # rmdir(1) removes a folder only when it is empty.
    get_filename_component(name "${doc}" NAME)
    if(name STREQUAL "sysfacts" AND IS_DIRECTORY "${doc}" AND
        NOT IS_SYMLINK "${doc}")
      execute_process(COMMAND rmdir "${doc}" RESULT_VARIABLE failed
        ERROR_QUIET)
      if(NOT failed)
        message(STATUS "Removed ${doc}/")
      endif()
    endif()
  endif()
endforeach()
if(kept STREQUAL "")
  file(REMOVE "${RECORD}")
else()
  file(WRITE "${RECORD}" "${kept}")
endif()
