# SPDX-License-Identifier: BSD-2-Clause
# Chooses the C library of the Linux program: musl, statically, where its
# tools are installed (Debian's musl-tools), else glibc.  musl's start-up
# does almost nothing before main, so the report starts sooner than from a
# static glibc program, and the binary is far smaller (the README's
# Performance section gives the figures).
#
# The program is compiled by the C++ compiler through musl's GCC specs file,
# which puts musl's headers and start files in place of glibc's.  The C++
# headers are the compiler's own (libstdc++'s), of which the program uses
# only the C wrappers such as <cstdio>; nothing of the C++ runtime is linked.
# The tests keep the compiler's usual C library, so GoogleTest links.
#
# Sets SYSFACTS_USE_MUSL, and SYSFACTS_MUSL_COMPILE_OPTIONS and
# SYSFACTS_MUSL_LINK_OPTIONS for the program.

set(SYSFACTS_LIBC "auto" CACHE STRING
  "C library of the Linux program: auto (musl where installed), musl or glibc")
set_property(CACHE SYSFACTS_LIBC PROPERTY STRINGS auto musl glibc)

set(SYSFACTS_USE_MUSL OFF)
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT SYSFACTS_LIBC STREQUAL "glibc")
  find_file(SYSFACTS_MUSL_SPECS musl-gcc.specs
    PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}-linux-musl
      /usr/lib/${CMAKE_SYSTEM_PROCESSOR}-linux-musl
      /usr/lib/musl/lib /usr/local/musl/lib
    NO_DEFAULT_PATH)
  set(reason "")
  if(NOT SYSFACTS_MUSL_SPECS)
    set(reason "musl's GCC specs file (musl-gcc.specs, Debian's musl-tools) was not found")
  elseif(NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    set(reason "musl's specs file needs GCC, not ${CMAKE_CXX_COMPILER_ID}")
  elseif(NOT SYSFACTS_STATIC)
    set(reason "the program is linked dynamically (SYSFACTS_STATIC=OFF)")
  endif()
  if(reason STREQUAL "")
    set(SYSFACTS_USE_MUSL ON)
  elseif(SYSFACTS_LIBC STREQUAL "musl")
    message(FATAL_ERROR "SYSFACTS_LIBC is musl, but ${reason}.")
  endif()
endif()

if(SYSFACTS_USE_MUSL)
  # The specs file drops every standard include folder; the C++ wrappers'
  # folders come back, after the program's own and before musl's.
  set(cxx_include_options "")
  foreach(dir IN LISTS CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES)
    if(dir MATCHES "/c\\+\\+/")
      list(APPEND cxx_include_options -isystem${dir})
    endif()
  endforeach()
  # The program is static and not position-independent, so its constant
  # tables of pointers (the picture's rows, the processor names) are
  # read-only data rather than data relocated at start-up.  musl's static
  # start-up never protects a RELRO region, so the linker's padding for one
  # would only cost the writable segment a page and a page fault.  The ELF
  # headers, the code and the read-only data share one segment (none of
  # them writable), so the first fault on the code maps the pages around
  # it, headers and data among them, and the headers, which musl's
  # start-up reads, cost no fault of their own.
  set(SYSFACTS_MUSL_COMPILE_OPTIONS -specs=${SYSFACTS_MUSL_SPECS}
    ${cxx_include_options} -fno-pie
    -include ${PROJECT_SOURCE_DIR}/cmake/libstdcxx-on-musl.h)
  set(SYSFACTS_MUSL_LINK_OPTIONS -specs=${SYSFACTS_MUSL_SPECS} -static
    -no-pie -Wl,-z,norelro -Wl,-z,noseparate-code)
  message(STATUS "sysfacts: the program is linked statically against musl "
    "(${SYSFACTS_MUSL_SPECS})")
elseif(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  if(SYSFACTS_LIBC STREQUAL "glibc")
    set(reason "SYSFACTS_LIBC is glibc")
  endif()
  if(SYSFACTS_STATIC)
    message(STATUS "sysfacts: the program is linked statically against "
      "glibc: ${reason}")
  else()
    message(STATUS "sysfacts: the program is linked dynamically against "
      "glibc: ${reason}")
  endif()
endif()
