# SPDX-License-Identifier: BSD-2-Clause
# Cross-builds sysfacts and its tests for aarch64 (64-bit ARM) with Debian's
# g++-aarch64-linux-gnu, and runs them under qemu-aarch64-static:
#   cmake -S . -B build-aarch64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-aarch64.cmake -DBUILD_TESTING=ON
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(SYSFACTS_CROSS_TRIPLE aarch64-linux-gnu)
set(SYSFACTS_CROSS_QEMU qemu-aarch64-static)
# What uname(2) reports as the machine under the emulator.
set(SYSFACTS_CROSS_MACHINE aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/cross-linux.cmake)
