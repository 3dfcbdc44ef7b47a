# SPDX-License-Identifier: BSD-2-Clause
# Turns CHANGELOG.md into a Debian changelog, the form that Debian's tools
# read in a package's changelog.gz.  CHANGELOG.md holds, newest first,
# entries like
#   ## 1.0.0 (2026-12-08)
#   - What changed, on one line or on several
#     lines indented by two spaces.

# Prints the RFC 5322 date of an ISO date (2026-12-08), at midnight UTC.
# CMake formats only the present moment or SOURCE_DATE_EPOCH, so the date
# becomes seconds since 1970 and CMake names its weekday and month.
function(sysfacts_rfc5322_date iso_date out)
  string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" match "${iso_date}")
  math(EXPR year "${CMAKE_MATCH_1}")
  math(EXPR month "${CMAKE_MATCH_2}")
  math(EXPR day "${CMAKE_MATCH_3}")
  # Days since 1970-01-01, counting years from March so that a leap day
  # ends its year; 719468 is the count of days from 0000-03-01 to 1970.
  if(month LESS 3)
    math(EXPR year "${year} - 1")
    math(EXPR month "${month} + 9")
  else()
    math(EXPR month "${month} - 3")
  endif()
  math(EXPR days "${year} * 365 + ${year} / 4 - ${year} / 100 + ${year} / 400
    + (153 * ${month} + 2) / 5 + ${day} - 1 - 719468")
  math(EXPR seconds "${days} * 86400")
  set(saved "$ENV{SOURCE_DATE_EPOCH}")
  set(ENV{SOURCE_DATE_EPOCH} ${seconds})
  string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
  if(saved STREQUAL "")
    unset(ENV{SOURCE_DATE_EPOCH})
  else()
    set(ENV{SOURCE_DATE_EPOCH} "${saved}")
  endif()
  set(${out} "${date}" PARENT_SCOPE)
endfunction()

# Writes the Debian changelog of the Markdown changelog source to output.
# The newest entry must be this project's version.
function(sysfacts_debian_changelog source output)
  if(SYSFACTS_PACKAGE_CONTACT)
    set(maintainer "${SYSFACTS_PACKAGE_CONTACT}")
  else()
    # Packaging stops without a contact, so no package carries this.
    set(maintainer "The sysfacts Authors")
  endif()
  file(STRINGS "${source}" lines)
  set(text "")
  set(entry_date "")
  set(newest "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^## ([^ ]+) \\(([0-9-]+)\\)$")
      set(version ${CMAKE_MATCH_1})
      set(date ${CMAKE_MATCH_2})
      if(NOT newest)
        set(newest ${version})
      endif()
      if(entry_date)
        string(APPEND text "\n -- ${maintainer}  ${entry_date}\n\n")
      endif()
      sysfacts_rfc5322_date(${date} entry_date)
      string(APPEND text "${PROJECT_NAME} (${version}) unstable; urgency=medium\n\n")
    elseif(entry_date AND line MATCHES "^- (.*)$")
      string(APPEND text "  * ${CMAKE_MATCH_1}\n")
    elseif(entry_date AND line MATCHES "^  (.+)$")
      string(APPEND text "    ${CMAKE_MATCH_1}\n")
    endif()
  endforeach()
  if(NOT newest STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "CHANGELOG.md has no entry for version "
      "${PROJECT_VERSION} at its top (its newest is '${newest}').")
  endif()
  string(APPEND text "\n -- ${maintainer}  ${entry_date}\n")
  file(WRITE "${output}" "${text}")
endfunction()
