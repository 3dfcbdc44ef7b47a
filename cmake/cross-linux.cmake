# SPDX-License-Identifier: BSD-2-Clause
# What the cross toolchain files share: Debian's cross compiler for the
# triple SYSFACTS_CROSS_TRIPLE, its libraries under /usr/<triple>, and the
# user-mode emulator SYSFACTS_CROSS_QEMU (Debian's qemu-user-static), which
# CTest runs the test programs under.  The program is linked statically
# against glibc, so the emulator needs no libraries of the target.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${SYSFACTS_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${SYSFACTS_CROSS_TRIPLE}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${SYSFACTS_CROSS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${SYSFACTS_CROSS_QEMU})
set(SYSFACTS_LIBC glibc CACHE STRING "")
# The test programs are static too, so they run without the target's
# shared libraries.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
