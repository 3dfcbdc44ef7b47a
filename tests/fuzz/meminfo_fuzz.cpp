// SPDX-License-Identifier: BSD-2-Clause
/*
 * Fuzzes the /proc/meminfo parser with any text, in a buffer that is not
 * zero-terminated, as read(2) leaves it, and checks that a reading which
 * stops where the lines say the view is settled gives the whole text's.
 */
#include "proc_text.h"
#include "text_lines.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
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

	namespace proc_text = platform::proc_text;
	proc_text::meminfo_figures figures{};
	take_lines(text.data(), text.size(),
	           [&](const char *line, std::size_t length) {
		           return proc_text::meminfo_take_line(&figures, line,
		                                               length, false);
	           });
	std::uint64_t early_total = 0;
	std::uint64_t early_available = 0;
	if (proc_text::meminfo_view(figures, &early_total, &early_available) !=
	        proc_text::meminfo_memory(text.data(), text.size(), &total,
	                                  &available) ||
	    early_total != total || early_available != available)
		std::abort();
	return 0;
}
