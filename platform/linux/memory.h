// SPDX-License-Identifier: BSD-2-Clause
/* The memory figures of a Linux meminfo file. */
#ifndef SYSFACTS_PLATFORM_LINUX_MEMORY_H
#define SYSFACTS_PLATFORM_LINUX_MEMORY_H

#include <cstdint>

namespace platform::linux_facts
{

/* What a meminfo file tells of memory. */
enum class meminfo_reading : unsigned char {
	not_a_view, /* no such file, or no MemTotal line in it */
	no_figures, /* a view of memory, but no figures in it to trust */
	figures,    /* both figures */
};

/*
 * Reads the meminfo file at path (the program's is /proc/meminfo) into the
 * total and available memory in bytes, each set only with figures.
 */
meminfo_reading read_meminfo(const char *path, std::uint64_t *total,
                             std::uint64_t *available);

} // namespace platform::linux_facts

#endif
