// SPDX-License-Identifier: BSD-2-Clause
/*
 * The processor's name as FreeBSD's hw.model gives it, made from what Linux
 * prints in /proc/cpuinfo: the register fields of an ARM processor, the
 * version of a POWER processor, or the kernel's own model name elsewhere.
 */
#ifndef SYSFACTS_PLATFORM_CPU_NAMES_H
#define SYSFACTS_PLATFORM_CPU_NAMES_H

#include <cstddef>
#include <cstdint>

namespace platform::cpu_names
{

/* Room for a name made here; FreeBSD's arm64 names hold at most 63 bytes. */
constexpr std::size_t MADE_NAME_SIZE = 64;

/*
 * Reads the identification register as Linux's sysfs file midr_el1 holds
 * it, such as "0x00000000410fd083\n", into *midr.  Returns true when the
 * text is one.
 */
bool parse_midr(const char *text, std::size_t length, std::uint32_t *midr);

/*
 * Names the processor of /proc/cpuinfo text.  Where the text shows an ARM
 * processor, read_midr is asked for CPU 0's identification register; when
 * it has none, the register is made from the text's first "CPU
 * implementer", "CPU variant", "CPU part" and "CPU revision" lines.  A name
 * made here goes into made; a name the kernel printed is pointed at in
 * place.  Sets *name and *name_length and returns true, or returns false
 * when the text names no processor, or names it with a NUL byte in it.
 */
bool processor_name(const char *cpuinfo, std::size_t length,
                    bool (*read_midr)(std::uint32_t *),
                    char (&made)[MADE_NAME_SIZE], const char **name,
                    std::size_t *name_length);

} // namespace platform::cpu_names

#endif
