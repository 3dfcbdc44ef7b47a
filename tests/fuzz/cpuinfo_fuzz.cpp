// SPDX-License-Identifier: BSD-2-Clause
/*
 * Fuzzes the naming of the processor with any /proc/cpuinfo text, in a
 * buffer that is not zero-terminated, and checks that the name it gives
 * lies in the buffer or in the name it made, and that the lines taken one
 * by one, as the file is read, give the same name.
 */
#include "cpu_names.h"
#include "text_lines.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

static bool no_midr(std::uint32_t *)
{
	return false;
}

/* Whether the lines of text, taken one by one, name the processor so. */
static bool streamed_name_is(const std::vector<char> &text, bool found,
                             const char *name, std::size_t length)
{
	namespace cpu_names = platform::cpu_names;
	cpu_names::cpuinfo_lines lines{};
	take_lines(text.data(), text.size(),
	           [&](const char *line, std::size_t length) {
		           return cpu_names::take_cpuinfo_line(&lines, line,
		                                               length);
	           });
	char made[cpu_names::MADE_NAME_SIZE];
	const char *streamed = nullptr;
	std::size_t streamed_length = 0;
	if (!cpu_names::name_from_values(lines.values, no_midr, made, &streamed,
	                                 &streamed_length))
		return !found;
	return found && streamed_length == length &&
	       std::memcmp(streamed, name, length) == 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size)
{
	std::vector<char> text(data, data + size);
	char made[platform::cpu_names::MADE_NAME_SIZE];
	const char *name = nullptr;
	std::size_t length = 0;
	bool found = platform::cpu_names::processor_name(
	    text.data(), text.size(), no_midr, made, &name, &length);
	if (!streamed_name_is(text, found, name, length))
		std::abort();
	if (!found)
		return 0;
	bool in_text =
	    name >= text.data() && name + length <= text.data() + text.size();
	bool in_made = name == made && length < sizeof(made);
	if (!in_text && !in_made)
		std::abort();
	return 0;
}
