// SPDX-License-Identifier: BSD-2-Clause
/*
 * Fuzzes the naming of the processor with any /proc/cpuinfo text, in a
 * buffer that is not zero-terminated, and checks that the name it gives
 * lies in the buffer or in the name it made.
 */
#include "cpu_names.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

static bool no_midr(std::uint32_t *)
{
	return false;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size)
{
	std::vector<char> text(data, data + size);
	char made[platform::cpu_names::MADE_NAME_SIZE];
	const char *name = nullptr;
	std::size_t length = 0;
	if (!platform::cpu_names::processor_name(text.data(), text.size(),
	                                         no_midr, made, &name, &length))
		return 0;
	bool in_text =
	    name >= text.data() && name + length <= text.data() + text.size();
	bool in_made = name == made && length < sizeof(made);
	if (!in_text && !in_made)
		std::abort();
	return 0;
}
