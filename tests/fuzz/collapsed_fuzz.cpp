// SPDX-License-Identifier: BSD-2-Clause
/*
 * Fuzzes the space-collapsing printer with any bytes, as a zero-terminated
 * text the way the probes pass it.
 */
#include "fields.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
	return freopen("/dev/null", "w", stdout) == nullptr;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size)
{
	std::vector<char> text(data, data + size);
	text.push_back('\0');
	print_text(text.data(), true);
	return 0;
}
