// SPDX-License-Identifier: BSD-2-Clause
/*
 * Fuzzes the /proc/cpuinfo parser with any text, in a buffer that is not
 * zero-terminated, and checks that the model it finds lies in the buffer.
 */
#include "proc_text.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size)
{
	std::vector<char> text(data, data + size);
	const char *model = nullptr;
	std::size_t length = 0;
	if (platform::proc_text::cpuinfo_model(text.data(), text.size(), &model,
	                                       &length) &&
	    (model < text.data() || model + length > text.data() + text.size()))
		std::abort();
	return 0;
}
