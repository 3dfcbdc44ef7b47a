// SPDX-License-Identifier: BSD-2-Clause
/*
 * RAM: memory in use and in total, in whole mebibytes, from the free page
 * count vm.stats.vm.v_free_count, the page size hw.pagesize and the
 * physical memory hw.physmem.
 */
#include "fields.h"
#include "output.h"

#include "platform.h"

#include <cinttypes>
#include <cstdint>

static constexpr unsigned MEBIBYTE_SHIFT = 20;

/*
 * Reads an integer at the size the system gives it, 4 bytes (an int or
 * u_int) or 8, into a variable of that size, so that the value is right
 * whatever the byte order.  Any other size is no value.
 */
static bool read_sysctl_integer(const char *name, std::uint64_t *value)
{
	union {
		std::uint32_t narrow;
		std::uint64_t wide;
	} bytes;
	std::size_t length = sizeof(bytes);
	if (platform::sysctlbyname(name, &bytes, &length, nullptr, 0) != 0)
		return false;
	if (length == sizeof(bytes.narrow))
		*value = bytes.narrow;
	else if (length == sizeof(bytes.wide))
		*value = bytes.wide;
	else
		return false;
	return true;
}

/*
 * The figures appear only when all three values were read: a figure that
 * cannot be known is left out rather than shown as 0.
 */
void print_memory()
{
	output_text(FIXED_LABEL("RAM"));
	std::uint64_t free_pages;
	std::uint64_t page_size;
	std::uint64_t physical_memory;
	if (!read_sysctl_integer("vm.stats.vm.v_free_count", &free_pages) ||
	    !read_sysctl_integer("hw.pagesize", &page_size) ||
	    !read_sysctl_integer("hw.physmem", &physical_memory))
		return;
	/*
	 * Any product too large for 64 bits exceeds every possible total, so
	 * it may stand as the largest value.
	 */
	std::uint64_t free_bytes;
	if (__builtin_mul_overflow(free_pages, page_size, &free_bytes))
		free_bytes = UINT64_MAX;
	std::uint64_t free_mib = free_bytes >> MEBIBYTE_SHIFT;
	std::uint64_t total_mib = physical_memory >> MEBIBYTE_SHIFT;
	/* Memory in use is never negative, even when the figures disagree. */
	std::uint64_t used_mib =
	    total_mib > free_mib ? total_mib - free_mib : 0;
	output_format("%" PRIu64 "M / %" PRIu64 "M", used_mib, total_mib);
}
