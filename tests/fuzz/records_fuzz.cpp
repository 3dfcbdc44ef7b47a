// SPDX-License-Identifier: BSD-2-Clause
/*
 * Fuzzes the count of /proc's directory records with any bytes, as a
 * getdents64(2) buffer that the kernel might have filled wrongly.
 */
#include "facts.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data,
                                      std::size_t size)
{
	std::vector<char> records(data, data + size);
	int processes = 0;
	platform::linux_facts::count_process_records(
	    records.data(), records.size(), &processes);
	if (processes < 0 || std::size_t(processes) > size / 20)
		std::abort();
	return 0;
}
