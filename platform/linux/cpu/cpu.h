// SPDX-License-Identifier: BSD-2-Clause
/*
 * The processor's name as FreeBSD's hw.model gives it, made from what Linux
 * shows of it: the identification register of an ARM processor, the
 * version of a POWER processor, or the kernel's own model name elsewhere.
 */
#ifndef SYSFACTS_PLATFORM_LINUX_CPU_H
#define SYSFACTS_PLATFORM_LINUX_CPU_H

#include <cstddef>
#include <cstdint>

namespace platform::linux_facts
{

/*
 * Room for a name with its terminating zero.  A value of cpuinfo as long
 * as this or longer names nothing; FreeBSD's arm64 names hold at most 63
 * bytes.
 */
constexpr std::size_t PROCESSOR_NAME_SIZE = 256;

/*
 * Names the processor from the cpuinfo file at cpuinfo_path and, where it
 * shows an ARM processor, CPU 0's identification register in the file at
 * register_path; where that has none, the register is made from the first
 * "CPU implementer", "CPU variant", "CPU part" and "CPU revision" lines.
 * Sets name and *length and returns true, or returns false when the file
 * cannot be read whole or names no processor, or names it with a NUL byte
 * in it or with PROCESSOR_NAME_SIZE bytes or more.
 */
bool processor_name(const char *cpuinfo_path, const char *register_path,
                    char (&name)[PROCESSOR_NAME_SIZE], std::size_t *length);

/*
 * cpu_names.cpp: each writes the name FreeBSD gives a processor into name,
 * of size bytes, and returns its length, or 0 where it names none: an ARM
 * processor by its identification register, midr; a PowerPC by its
 * version, the upper half of its processor version register, and the
 * first line "cpu" of cpuinfo, cpu_length bytes at cpu.
 */
std::size_t arm_name(std::uint32_t midr, char *name, std::size_t size);
std::size_t powerpc_name(unsigned version, const char *cpu,
                         std::size_t cpu_length, char *name, std::size_t size);

} // namespace platform::linux_facts

#endif
