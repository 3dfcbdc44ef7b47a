// SPDX-License-Identifier: BSD-2-Clause
/*
 * Fuzzes the reading of /proc/meminfo with any text, as the file the
 * program reads: whatever meminfo says, its figures never have more
 * available than in total.
 */
#include "facts.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

static int file = -1;
static char path[64];

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size)
{
	if (file < 0) {
		file = memfd_create("meminfo", 0);
		std::snprintf(path, sizeof(path), "/proc/self/fd/%d", file);
	}
	if (ftruncate(file, 0) != 0 ||
	    pwrite(file, data, size, 0) != ssize_t(size))
		std::abort();
	std::uint64_t total = 0;
	std::uint64_t available = 0;
	if (platform::linux_facts::read_meminfo(path, &total, &available) ==
	        platform::linux_facts::meminfo_reading::figures &&
	    (available > total || total == 0))
		std::abort();
	return 0;
}
