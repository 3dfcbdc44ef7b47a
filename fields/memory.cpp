// SPDX-License-Identifier: BSD-2-Clause
/*
 * RAM: memory in use and in total, in whole mebibytes, from the free page
 * count vm.stats.vm.v_free_count, the page size hw.pagesize and the
 * physical memory hw.physmem.
 */
#include "fields.h"

#include "platform.h"

#include <cinttypes>
#include <cstdint>
#include <cstdio>

static constexpr unsigned MEBIBYTE_SHIFT = 20;

/*
 * Reads an integer value of up to 8 bytes.  A narrower value fills the low
 * bytes of the zeroed variable (x86-64 is little-endian), so it reads back
 * exactly; a value that cannot be read counts as 0.
 */
static std::uint64_t read_sysctl_integer(const char *name)
{
	std::uint64_t value = 0;
	std::size_t length = sizeof(value);
	platform::sysctlbyname(name, &value, &length, nullptr, 0);
	return value;
}

int print_memory()
{
	printf(FIXED_LABEL("RAM"));
	std::uint64_t free_pages =
	    read_sysctl_integer("vm.stats.vm.v_free_count");
	std::uint64_t page_size = read_sysctl_integer("hw.pagesize");
	/*
	 * Any product too large for 64 bits exceeds every possible total, so
	 * it may stand as the largest value.
	 */
	std::uint64_t free_bytes;
	if (__builtin_mul_overflow(free_pages, page_size, &free_bytes))
		free_bytes = UINT64_MAX;
	std::uint64_t free_mib = free_bytes >> MEBIBYTE_SHIFT;
	std::uint64_t total_mib =
	    read_sysctl_integer("hw.physmem") >> MEBIBYTE_SHIFT;
	/* Memory in use is never negative, even when the figures disagree. */
	std::uint64_t used_mib =
	    total_mib > free_mib ? total_mib - free_mib : 0;
	printf("%" PRIu64 "M / %" PRIu64 "M", used_mib, total_mib);
	return 0;
}
