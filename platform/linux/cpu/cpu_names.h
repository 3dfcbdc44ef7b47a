// SPDX-License-Identifier: BSD-2-Clause
/*
 * The processor's name as FreeBSD's hw.model gives it, made from what Linux
 * prints in /proc/cpuinfo: the register fields of an ARM processor, the
 * version of a POWER processor, or the kernel's own model name elsewhere.
 */
#ifndef SYSFACTS_PLATFORM_CPU_NAMES_H
#define SYSFACTS_PLATFORM_CPU_NAMES_H

#include "proc_text.h"

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

/* The keys of the lines that name a processor, and room for each value. */
constexpr std::size_t CPUINFO_KEY_COUNT = 8;
constexpr std::size_t KEPT_VALUE_MAX = 256;

/*
 * The first line of each key, as a reading of /proc/cpuinfo finds them one
 * by one.  A value is kept to its first KEPT_VALUE_MAX bytes: one that long
 * or longer names nothing, whether read whole or kept in part, so the two
 * give the same name.  Starts zeroed.
 */
struct cpuinfo_lines {
	// cppcheck-suppress unusedStructMember
	char kept[CPUINFO_KEY_COUNT][KEPT_VALUE_MAX];
	// cppcheck-suppress unusedStructMember
	proc_text::cpuinfo_value values[CPUINFO_KEY_COUNT];
};

/*
 * Takes one line of /proc/cpuinfo, without its line end, into lines.
 * Returns true while a later line could still change the name.
 */
bool take_cpuinfo_line(cpuinfo_lines *lines, const char *line,
                       std::size_t length);

/*
 * Names the processor from the first line of each key, as processor_name
 * does below; values are those of a cpuinfo_lines.
 */
bool name_from_values(const proc_text::cpuinfo_value values[CPUINFO_KEY_COUNT],
                      bool (*read_midr)(std::uint32_t *),
                      char (&made)[MADE_NAME_SIZE], const char **name,
                      std::size_t *name_length);

/*
 * Names the processor of /proc/cpuinfo text.  Where the text shows an ARM
 * processor, read_midr is asked for CPU 0's identification register; when
 * it has none, the register is made from the text's first "CPU
 * implementer", "CPU variant", "CPU part" and "CPU revision" lines.  A name
 * made here goes into made; a name the kernel printed is pointed at in
 * place.  Sets *name and *name_length and returns true, or returns false
 * when the text names no processor, or names it with a NUL byte in it or
 * with KEPT_VALUE_MAX bytes or more.
 */
bool processor_name(const char *cpuinfo, std::size_t length,
                    bool (*read_midr)(std::uint32_t *),
                    char (&made)[MADE_NAME_SIZE], const char **name,
                    std::size_t *name_length);

} // namespace platform::cpu_names

#endif
