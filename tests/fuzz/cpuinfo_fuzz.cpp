// SPDX-License-Identifier: BSD-2-Clause
/*
 * Fuzzes the naming of the processor with any /proc/cpuinfo text, as the
 * file the program reads: a name, where one is given, fits its buffer and
 * holds no NUL byte.
 */
#include "facts.h"
#include "input_file.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size)
{
	namespace facts = platform::linux_facts;
	char name[facts::PROCESSOR_NAME_SIZE];
	std::size_t length = 0;
	if (facts::processor_name(input_file(data, size), "/nonexistent", name,
	                          &length) &&
	    (length >= sizeof(name) ||
	     std::memchr(name, '\0', length) != nullptr))
		std::abort();
	return 0;
}
