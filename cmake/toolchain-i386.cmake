# SPDX-License-Identifier: BSD-2-Clause
# Cross-builds sysfacts and its tests for i386 (32-bit x86) with Debian's
# g++-i686-linux-gnu, and runs them under qemu-i386-static:
#   cmake -S . -B build-i386 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i386.cmake -DBUILD_TESTING=ON
set(CMAKE_SYSTEM_PROCESSOR i686)
set(SYSFACTS_CROSS_TRIPLE i686-linux-gnu)
set(SYSFACTS_CROSS_QEMU qemu-i386-static)
# What uname(2) reports as the machine under the emulator.
set(SYSFACTS_CROSS_MACHINE i686)
include(${CMAKE_CURRENT_LIST_DIR}/cross-linux.cmake)
