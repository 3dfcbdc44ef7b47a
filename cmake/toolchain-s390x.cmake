# SPDX-License-Identifier: BSD-2-Clause
# Cross-builds sysfacts and its tests for s390x (big-endian IBM Z) with Debian's
# g++-s390x-linux-gnu, and runs them under qemu-s390x-static:
#   cmake -S . -B build-s390x -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-s390x.cmake -DBUILD_TESTING=ON
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(SYSFACTS_CROSS_TRIPLE s390x-linux-gnu)
set(SYSFACTS_CROSS_QEMU qemu-s390x-static)
# What uname(2) reports as the machine under the emulator.
set(SYSFACTS_CROSS_MACHINE s390x)
include(${CMAKE_CURRENT_LIST_DIR}/cross-linux.cmake)
