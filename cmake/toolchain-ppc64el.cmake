# SPDX-License-Identifier: BSD-2-Clause
# Cross-builds sysfacts and its tests for ppc64el (64-bit little-endian POWER) with Debian's
# g++-powerpc64le-linux-gnu, and runs them under qemu-ppc64le-static:
#   cmake -S . -B build-ppc64el -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-ppc64el.cmake -DBUILD_TESTING=ON
set(CMAKE_SYSTEM_PROCESSOR ppc64le)
set(SYSFACTS_CROSS_TRIPLE powerpc64le-linux-gnu)
set(SYSFACTS_CROSS_QEMU qemu-ppc64le-static)
# What uname(2) reports as the machine under the emulator.
set(SYSFACTS_CROSS_MACHINE ppc64le)
include(${CMAKE_CURRENT_LIST_DIR}/cross-linux.cmake)
