// SPDX-License-Identifier: BSD-2-Clause
/*
 * CPU: the processor model from hw.model (Linux answers from the first
 * "model name" line of /proc/cpuinfo), with its runs of spaces collapsed.
 */
#include "fields.h"

int print_cpu()
{
	return print_collapsed_sysctl(FIXED_LABEL("CPU"), "hw.model");
}
