# SPDX-License-Identifier: BSD-2-Clause
# Cross-builds sysfacts and its tests for riscv64 (64-bit RISC-V) with Debian's
# g++-riscv64-linux-gnu, and runs them under qemu-riscv64-static:
#   cmake -S . -B build-riscv64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-riscv64.cmake -DBUILD_TESTING=ON
set(CMAKE_SYSTEM_PROCESSOR riscv64)
set(SYSFACTS_CROSS_TRIPLE riscv64-linux-gnu)
set(SYSFACTS_CROSS_QEMU qemu-riscv64-static)
# What uname(2) reports as the machine under the emulator.
set(SYSFACTS_CROSS_MACHINE riscv64)
include(${CMAKE_CURRENT_LIST_DIR}/cross-linux.cmake)
