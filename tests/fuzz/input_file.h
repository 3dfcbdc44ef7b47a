// SPDX-License-Identifier: BSD-2-Clause
/*
 * Hands a fuzzer's input to the code under test as the file it reads: a
 * file in memory, reached by its /proc/self/fd path.
 */
#ifndef SYSFACTS_FUZZ_INPUT_FILE_H
#define SYSFACTS_FUZZ_INPUT_FILE_H

#include <sys/mman.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

inline const char *input_file(const std::uint8_t *data, std::size_t size)
{
	static int file = -1;
	static char path[64];
	if (file < 0) {
		file = memfd_create("input", 0);
		std::snprintf(path, sizeof(path), "/proc/self/fd/%d", file);
	}
	if (ftruncate(file, 0) != 0 ||
	    pwrite(file, data, size, 0) != ssize_t(size))
		std::abort();
	return path;
}

#endif
