# SPDX-License-Identifier: BSD-2-Clause
# Turns CHANGELOG.md into a Debian changelog, the form that Debian's tools
# read in a package's changelog.gz.  CHANGELOG.md holds, newest first,
# entries like
#   ## 1.0.0 (2026-12-08)
#   - What changed, on one line or on several
#     lines indented by two spaces.

# Prints the RFC 5322 date of an ISO date (2026-12-08), at midnight UTC.
function(sysfacts_rfc5322_date iso_date out)
  string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" match "${iso_date}")
  set(year ${CMAKE_MATCH_1})
  math(EXPR month "${CMAKE_MATCH_2}")
  math(EXPR day "${CMAKE_MATCH_3}")
  # Zeller's congruence, with January and February as months 13 and 14 of
  # the year before; 0 is Saturday.
  set(y ${year})
  set(m ${month})
  if(m LESS 3)
    math(EXPR m "${m} + 12")
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR weekday
    "(${day} + (13 * (${m} + 1)) / 5 + ${y} + ${y} / 4 - ${y} / 100 + ${y} / 400) % 7")
  set(weekdays Sat Sun Mon Tue Wed Thu Fri)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET weekdays ${weekday} weekday_name)
  math(EXPR month_index "${month} - 1")
  list(GET months ${month_index} month_name)
  if(day LESS 10)
    set(day "0${day}")
  endif()
  set(${out} "${weekday_name}, ${day} ${month_name} ${year} 00:00:00 +0000"
    PARENT_SCOPE)
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
