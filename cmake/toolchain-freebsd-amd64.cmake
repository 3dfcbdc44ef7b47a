# SPDX-License-Identifier: BSD-2-Clause
# Cross-builds sysfacts for FreeBSD 13.2 amd64 on Linux with clang and lld,
# linked dynamically against a FreeBSD sysroot (its headers, crt files and
# libraries) unpacked in the folder that FREEBSD_SYSROOT names:
#   FREEBSD_SYSROOT=/opt/freebsd-13.2-sysroot cmake -S . -B build-freebsd \
#       -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-freebsd-amd64.cmake
# The folder may also be given as -DFREEBSD_SYSROOT=...; it is kept in the
# cache, so that a later run of CMake in the build folder needs neither.
set(CMAKE_SYSTEM_NAME FreeBSD)
set(CMAKE_SYSTEM_VERSION 13.2)
set(CMAKE_SYSTEM_PROCESSOR amd64)
if(NOT FREEBSD_SYSROOT)
  set(FREEBSD_SYSROOT "$ENV{FREEBSD_SYSROOT}")
endif()
if(NOT FREEBSD_SYSROOT OR NOT EXISTS "${FREEBSD_SYSROOT}/usr/lib/crt1.o")
  message(FATAL_ERROR "FREEBSD_SYSROOT must name an unpacked FreeBSD "
    "sysroot, with usr/include and usr/lib; it is '${FREEBSD_SYSROOT}'.")
endif()
set(FREEBSD_SYSROOT "${FREEBSD_SYSROOT}" CACHE PATH "The FreeBSD sysroot")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FREEBSD_SYSROOT)
set(CMAKE_SYSROOT "${FREEBSD_SYSROOT}")
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET x86_64-unknown-freebsd13.2)
set(CMAKE_CXX_COMPILER_TARGET x86_64-unknown-freebsd13.2)
# Debian's clang looks for libstdc++ on every target; FreeBSD's C++ library
# is libc++.
set(CMAKE_CXX_FLAGS_INIT "-stdlib=libc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -stdlib=libc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=lld -stdlib=libc++")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
