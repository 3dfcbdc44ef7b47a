// SPDX-License-Identifier: BSD-2-Clause
/*
 * CPU: the processor model from hw.model (Linux answers from the first
 * "model name" line of /proc/cpuinfo), with its runs of spaces collapsed.
 */
#include "fields.h"
#include "output.h"

bool print_cpu()
{
	output_text(FIXED_LABEL("CPU"));
	return print_sysctl_text("hw.model", true);
}
