# SPDX-License-Identifier: BSD-2-Clause
# Removes what the last install from this build folder installed, as
# cmake/install-end.cmake recorded it: its files, then the folders it made,
# each only if nothing else has been put in it since.
#   cmake -DRECORD=build/sysfacts-installed.txt -P cmake/uninstall.cmake
if(NOT EXISTS "${RECORD}")
  message(FATAL_ERROR "Nothing to remove: ${RECORD} is missing, so nothing "
    "was installed from this build folder, or it was removed already.")
endif()
file(STRINGS "${RECORD}" _lines)
foreach(_line IN LISTS _lines)
  if(_line MATCHES "^file (.*)$")
    message(STATUS "Removing ${CMAKE_MATCH_1}")
    file(REMOVE "${CMAKE_MATCH_1}")
  elseif(_line MATCHES "^folder (.*)$")
    file(GLOB _left LIST_DIRECTORIES true "${CMAKE_MATCH_1}/*"
      "${CMAKE_MATCH_1}/.*")
    if(NOT _left)
      message(STATUS "Removing ${CMAKE_MATCH_1}/")
      file(REMOVE_RECURSE "${CMAKE_MATCH_1}")
    endif()
  endif()
endforeach()
file(REMOVE "${RECORD}")
