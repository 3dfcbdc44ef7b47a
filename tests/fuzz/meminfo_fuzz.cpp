// SPDX-License-Identifier: BSD-2-Clause
/*
 * Fuzzes the reading of /proc/meminfo with any text, as the file the
 * program reads: whatever meminfo says, its figures never have more
 * available than in total.
 */
#include "facts.h"
#include "input_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size)
{
	std::uint64_t total = 0;
	std::uint64_t available = 0;
	if (platform::linux_facts::read_meminfo(input_file(data, size), &total,
	                                        &available) ==
	        platform::linux_facts::meminfo_reading::figures &&
	    (available > total || total == 0))
		std::abort();
	return 0;
}
