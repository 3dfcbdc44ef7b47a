// SPDX-License-Identifier: BSD-2-Clause
/*
 * The table of ARM processor names, as data: implementers by their code, and
 * parts by implementer and part number, each sorted by those numbers.
 */
#ifndef SYSFACTS_PLATFORM_ARM_CPU_TABLE_H
#define SYSFACTS_PLATFORM_ARM_CPU_TABLE_H

#include <cstddef>

namespace platform::arm_cpu_table
{

struct implementer {
	unsigned char code;
	const char *name;
};

struct part {
	unsigned char implementer;
	unsigned short number;
	const char *name;
};

extern const implementer IMPLEMENTERS[];
extern const std::size_t IMPLEMENTER_COUNT;
extern const part PARTS[];
extern const std::size_t PART_COUNT;

} // namespace platform::arm_cpu_table

#endif
