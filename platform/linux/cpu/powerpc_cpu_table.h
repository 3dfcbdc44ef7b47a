// SPDX-License-Identifier: BSD-2-Clause
/*
 * The table of PowerPC processor names, as data: FreeBSD's hw.model for
 * each version, the upper half of the processor version register, sorted
 * by version.
 */
#ifndef SYSFACTS_PLATFORM_POWERPC_CPU_TABLE_H
#define SYSFACTS_PLATFORM_POWERPC_CPU_TABLE_H

#include <cstddef>

namespace platform::powerpc_cpu_table
{

struct model {
	unsigned short version;
	const char *name;
};

extern const model MODELS[];
extern const std::size_t MODEL_COUNT;

} // namespace platform::powerpc_cpu_table

#endif
