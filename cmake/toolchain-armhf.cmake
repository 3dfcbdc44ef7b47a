# SPDX-License-Identifier: BSD-2-Clause
# Cross-builds sysfacts and its tests for armhf (32-bit ARM with hardware
# floating point) with Debian's g++-arm-linux-gnueabihf, and runs them under
# qemu-arm-static:
#   cmake -S . -B build-armhf -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-armhf.cmake -DBUILD_TESTING=ON
set(CMAKE_SYSTEM_PROCESSOR arm)
set(SYSFACTS_CROSS_TRIPLE arm-linux-gnueabihf)
set(SYSFACTS_CROSS_QEMU qemu-arm-static)
# What uname(2) reports as the machine under the emulator.
set(SYSFACTS_CROSS_MACHINE armv7l)
include(${CMAKE_CURRENT_LIST_DIR}/cross-linux.cmake)
