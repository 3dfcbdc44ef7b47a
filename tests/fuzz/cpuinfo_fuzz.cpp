// SPDX-License-Identifier: BSD-2-Clause
/*
 * Fuzzes the naming of the processor with any /proc/cpuinfo text, as the
 * file the program reads: a name, where one is given, fits its buffer and
 * holds no NUL byte.
 */
#include "facts.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

static int file = -1;
static char path[64];

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size)
{
	namespace facts = platform::linux_facts;
	if (file < 0) {
		file = memfd_create("cpuinfo", 0);
		std::snprintf(path, sizeof(path), "/proc/self/fd/%d", file);
	}
	if (ftruncate(file, 0) != 0 ||
	    pwrite(file, data, size, 0) != ssize_t(size))
		std::abort();
	char name[facts::PROCESSOR_NAME_SIZE];
	std::size_t length = 0;
	if (facts::processor_name(path, "/nonexistent", name, &length) &&
	    (length >= sizeof(name) ||
	     std::memchr(name, '\0', length) != nullptr))
		std::abort();
	return 0;
}
