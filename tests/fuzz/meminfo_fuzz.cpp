// SPDX-License-Identifier: BSD-2-Clause
/*
 * Fuzzes the /proc/meminfo parser with any text, in a buffer that is not
 * zero-terminated, as read(2) leaves it.
 */
#include "proc_text.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size)
{
	std::vector<char> text(data, data + size);
	for (const char *key : {"MemTotal", "MemAvailable", "M"}) {
		std::uint64_t kib = 0;
		platform::proc_text::meminfo_kib(text.data(), text.size(), key,
		                                 &kib);
	}
	/* Whatever the text, a view never has more available than in total. */
	std::uint64_t total = 0;
	std::uint64_t available = 0;
	if (platform::proc_text::meminfo_memory(text.data(), text.size(),
	                                        &total, &available) ==
	        platform::proc_text::meminfo_status::known &&
	    available > total)
		std::abort();
	return 0;
}
